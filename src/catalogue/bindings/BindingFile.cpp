#include "catalogue/bindings/BindingFile.h"

#include "services/BoundedFileReader.h"

std::optional<QByteArray> BindingFile::read(const QString &path, bool *missing)
{
    const BoundedFileReader::Result file = BoundedFileReader::read(path, maxSize);
    if (missing)
        *missing = file.outcome == BoundedFileReader::Outcome::Absent;
    if (file.outcome != BoundedFileReader::Outcome::Read)
        return std::nullopt;
    return file.bytes;
}
