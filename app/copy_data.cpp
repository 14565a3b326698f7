#include "app/copy_data.h"
#include <QStringDecoder>
#include <cstring>

namespace {
CopyDataCallback g_callback = nullptr;
void* g_context = nullptr;
} // namespace

std::optional<QString> warningTextFromCopyData(quint64 dwData, quint32 cbData, const char* data,
                                               size_t available)
{
    if (dwData != CopyDataWarningId || !data)
        return std::nullopt;
    const size_t limit = std::min<size_t>(cbData, available);
    const void* nul = std::memchr(data, '\0', limit);
    const size_t length = nul ? size_t(static_cast<const char*>(nul) - data) : limit;
    // A stateless decoder flags malformed sequences instead of hiding them
    // behind replacement characters of the same length.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless
                                                     | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(QByteArrayView(data, qsizetype(length)));
    if (decoder.hasError())
        return std::nullopt;
    if (size_t(text.toUtf8().size()) != size_t(cbData))
        return std::nullopt;
    return text;
}

void registerCopyDataCallback(CopyDataCallback callback, void* context)
{
    g_callback = callback;
    g_context = context;
}

bool deliverCopyData(quint64 dwData, quint32 cbData, const char* data, size_t available)
{
    if (!g_callback)
        return false;
    g_callback(dwData, cbData, data, available, g_context);
    return true;
}
