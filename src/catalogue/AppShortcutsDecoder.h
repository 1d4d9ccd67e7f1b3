#pragma once

#include "catalogue/AppShortcuts.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// Strict decoding of one data file: RFC 8259 JSON with UTF-8 validation, exact keys, unknown keys
// ignored, null or missing meaning absent for optional keys, and any wrong type failing the whole file.
// One decoder keeps its parser's buffers between files, so reuse it for a folder of files.
class AppShortcutsDecoder {
public:
    struct Result {
        std::optional<AppShortcuts> app;
        // Why decoding failed, with the JSON path of the offending value where there is one; empty on
        // success. Only authoring tools show it: the program itself logs no causes.
        QString error;
    };

    AppShortcutsDecoder();
    ~AppShortcutsDecoder();
    AppShortcutsDecoder(const AppShortcutsDecoder &) = delete;
    AppShortcutsDecoder &operator=(const AppShortcutsDecoder &) = delete;

    Result decode(const QByteArray &bytes);
    // Reads and decodes a file. Anything but a regular file (a directory, a FIFO, a device) fails
    // without being opened for reading, so a stray special file cannot hang the loader.
    Result decodeFile(const QString &path);

    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 maxFileSize = qint64(256) * 1024 * 1024;

private:
    Result decodePadded(const char *data, size_t length, bool padded);

    struct Parser;
    std::unique_ptr<Parser> parser_;
};
