// Reads any bytes as a data file. Whatever fails must fail with a TError; whatever reads must
// write a document that reads again and writes the very same document.

#include "datafile/DataFileReader.h"
#include "datafile/DataFileWriter.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "support/TestCore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<TTestCore> registry;

void Read(const QByteArray& content)
{
    TDataFileReader(content).ReadAll();
    Core().Tasks()->RestoreExpanded();
}

[[noreturn]] void Fail(const char* what, const QByteArray& detail)
{
    std::fprintf(stderr, "%s\n%s\n", what, detail.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    registry = std::make_unique<TTestCore>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        Read(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const TError&) {
        return 0;
    }
    const QByteArray written = TDataFileWriter::WriteAll().ToBytes();
    try {
        Read(written);
    } catch (const TError& error) {
        Fail("the written document does not read back:", error.Message().toUtf8() + '\n' + written);
    }
    if (TDataFileWriter::WriteAll().ToBytes() != written)
        Fail("the document read back writes differently:", written);
    return 0;
}
