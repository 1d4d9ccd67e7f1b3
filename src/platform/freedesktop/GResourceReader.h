#pragma once

#include "platform/ProgramResources.h"

// Reads GResource bundles through GIO: from the ".gresource.*" sections of ELF files (found with
// libelf) and from compiled ".gresource" files. Damaged input (a truncated ELF file, a bogus section
// table, a bundle GIO refuses) ends in an error, never a crash; nothing is read beyond what the
// sections and resources in question need.
class GResourceReader : public ProgramResources {
public:
    Result uiFiles(const QString &path, const Filter &keep) override;

    // GResource bundles larger than this (file or section) are refused.
    static constexpr qint64 maxBundleSize = qint64(64) * 1024 * 1024;
    // At most this many private libraries of a program are looked at.
    static constexpr int maxLibraries = 16;
};
