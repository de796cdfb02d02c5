// Fuzzes the reader of the previous version's producer file.
#include "FuzzCheck.h"
#include "OldImportReader.h"

using namespace zeror::oldimport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const ProducerRecord& r : readProducerFile(bytes)) {
        FUZZ_CHECK(r.lineNumber >= 1);
        // A record to store never carries a value wider than its column.
        if (r.fault.isEmpty())
            FUZZ_CHECK(fitsIn(r.kod, 5));
        FUZZ_CHECK(fitsIn(r.nev, 45) && fitsIn(r.irszam, 4) && fitsIn(r.helysegnev, 45) && fitsIn(r.utca, 45));
        FUZZ_CHECK(fitsIn(r.adoazon, 10) && fitsIn(r.igszam, 8) && fitsIn(r.regszam, 10));
        FUZZ_CHECK(fitsIn(r.szulhely, 45) && fitsIn(r.anyja, 45) && fitsIn(r.csgazd, 8) && fitsIn(r.neme, 1));
        FUZZ_CHECK(fitsIn(r.szulnev, 45) && fitsIn(r.taj, 9) && fitsIn(r.adoszam, 11) && fitsIn(r.bankszla, 26));
        FUZZ_CHECK(r.szido.isNull() || r.szido.isValid());
    }
    return 0;
}
