// Fuzzes the reader of the producer list saved from a spreadsheet.
#include "CsvImportReader.h"
#include "FuzzCheck.h"

using namespace zeror::csvimport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& line : fileLines(bytes)) {
        const CsvProducer p = readLine(line);
        if (p.blank || !p.fault.isEmpty())
            continue;
        FUZZ_CHECK(fitsIn(p.nev, 45) && fitsIn(p.irszam, 4) && fitsIn(p.helysegnev, 45) && fitsIn(p.utca, 45));
        FUZZ_CHECK(fitsIn(p.adoazon, 10) && fitsIn(p.igszam, 8) && fitsIn(p.regszam, 10));
        FUZZ_CHECK(fitsIn(p.szulhely, 45) && fitsIn(p.anyja, 45) && fitsIn(p.csgazd, 8) && fitsIn(p.neme, 1));
        FUZZ_CHECK(fitsIn(p.szulnev, 45) && fitsIn(p.taj, 9) && fitsIn(p.adoszam, 11));
        FUZZ_CHECK(p.bankszla.size() == 26);
        FUZZ_CHECK(p.szido.isValid() && p.ervkelt.isValid());
        FUZZ_CHECK(splitFields(line).size() <= kMaxFields);
    }
    return 0;
}
