#include "settings/ini_format.h"

// Placeholder until the INI convention is implemented: Qt's own INI format.
QSettings::Format halcyonIniFormat()
{
    return QSettings::IniFormat;
}

std::unique_ptr<QSettings> openIni(const QString& path)
{
    return std::make_unique<QSettings>(path, halcyonIniFormat());
}
