// Fuzzes the reader of the previous version's buyer file.
#include "FuzzCheck.h"
#include "OldImportReader.h"

using namespace zeror::oldimport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    int previous = 0;
    for (const BuyerRecord& r : readBuyerFile(bytes)) {
        // Codes follow the line numbers, rising through the file.
        FUZZ_CHECK(r.lineNumber > previous);
        previous = r.lineNumber;
        FUZZ_CHECK(r.akod == QString::number(r.lineNumber));
        FUZZ_CHECK(fitsIn(r.neve, 45) && fitsIn(r.helyseg, 45) && fitsIn(r.utca, 45));
        FUZZ_CHECK(fitsIn(r.irszam, 4) && fitsIn(r.adoszam, 11));
    }
    return 0;
}
