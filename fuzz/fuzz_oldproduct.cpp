// Fuzzes the reader of the previous version's product file.
#include "FuzzCheck.h"
#include "OldImportReader.h"

using namespace zeror::oldimport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const ProductRecord& r : readProductFile(bytes)) {
        FUZZ_CHECK(r.lineNumber >= 1);
        if (r.fault.isEmpty())
            FUZZ_CHECK(fitsIn(r.kod, 5));
        FUZZ_CHECK(fitsIn(r.megnevezes, 75) && fitsIn(r.vtsz, 10) && fitsIn(r.ear, 15));
        FUZZ_CHECK(fitsIn(r.megy, 10) && fitsIn(r.kompmerteke, 3));
    }
    return 0;
}
