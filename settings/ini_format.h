#pragma once
#include <QSettings>
#include <QString>
#include <memory>

// The INI convention every settings file of the program uses. All code opens
// settings files through openIni(), never with QSettings::IniFormat directly.
QSettings::Format halcyonIniFormat();
std::unique_ptr<QSettings> openIni(const QString& path);
