#pragma once
#include <QString>
#include <cstddef>
#include <optional>

// Warning texts that other processes send to the running program: on
// Windows a WM_COPYDATA message, on Linux a framed message on the
// single-instance socket. Both carry the same three fields.
constexpr quint64 CopyDataWarningId = 9487;

// The text to show, or nothing. The request is valid when dwData is 9487
// and the bytes up to cbData (stopping at the first NUL) are valid UTF-8
// that re-encodes to exactly cbData bytes. Never reads more than cbData
// bytes, nor more than `available`.
std::optional<QString> warningTextFromCopyData(quint64 dwData, quint32 cbData, const char* data,
                                               size_t available);

// The registered handler (function and context); a null function removes it.
using CopyDataCallback = void (*)(quint64 dwData, quint32 cbData, const char* data, size_t available,
                                  void* context);
void registerCopyDataCallback(CopyDataCallback callback, void* context);
// Hands a request to the registered handler; false when none is registered.
bool deliverCopyData(quint64 dwData, quint32 cbData, const char* data, size_t available);

// Windows: installs the process-wide native event filter that turns every
// WM_COPYDATA into deliverCopyData and answers it with 1. Elsewhere the
// single-instance socket delivers the requests and this does nothing.
void installCopyDataFilter();
