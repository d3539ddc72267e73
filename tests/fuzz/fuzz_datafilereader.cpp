// Reads any bytes as a data file. Whatever fails must fail with a TError; whatever reads must
// write a document that reads again and writes the very same document.

#include "app/Debug.h"
#include "datafile/DataFileFixture.h"
#include "support/TestCore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<TTestCore> registry;

[[noreturn]] void Fail(const char* what, const QByteArray& detail)
{
    std::fprintf(stderr, "%s\n%s\n", what, detail.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    registry = std::make_unique<TTestCore>();
    // A log that kept every line of millions of runs would fill the memory.
    Core().Debug()->AttachMemo(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        ReadDocument(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const TError&) {
        return 0;
    }
    const QByteArray written = WrittenDocument();
    try {
        ReadDocument(written);
    } catch (const TError& error) {
        Fail("the written document does not read back:", error.Message().toUtf8() + '\n' + written);
    }
    if (WrittenDocument() != written)
        Fail("the document read back writes differently:", written);
    return 0;
}
