#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// The import of the previous version's producers, products and buyers: each line of a file is
// one INSERT committed on its own; a refused line is reported and the next one follows.
namespace zeror {
class TData;
}

namespace zeror::oldimport {

// What an import did, for the summary after its end message.
struct ImportSummary
{
    int read = 0;            // lines holding a record (blank lines are not records)
    int stored = 0;          // lines stored and committed
    QList<int> refusedLines; // line numbers (from 1) of the refused lines
};

// "Beolvasott sorok: 3, letárolva: 2, elutasítva: 1 (a 2. sor)."
QString summaryText(const ImportSummary& summary);

// How an import talks to whoever runs it: a refused line's message (the "Hiba…" text, the line
// number and the reason) and the progress (lines done of all).
struct ImportCallbacks
{
    std::function<void(const QString&)> message;
    std::function<void(int done, int total)> progress;
};

enum class Section { Producers, Products, Buyers };

// "exposterm.txt", "exptermek.txt", "expatvevo.txt".
QString fileName(Section section);
// "A régi östermelö adatok átemelve" …
QString endMessage(Section section);

// Reads a file whole; throws Error with the file's error when it cannot be read.
QByteArray readWholeFile(const QString& path);

// Each inserts the file's records. A line the database refuses is rolled back and reported with
// its message ("Hiba251…", "Hiba253…", "Hiba257…"); when the transaction cannot be started or
// rolled back the import stops by throwing Error ("Hiba252!", "Hiba254!", "Hiba258!").
ImportSummary importProducers(TData& dataModule, const QByteArray& content, const ImportCallbacks& callbacks);
ImportSummary importProducts(TData& dataModule, const QByteArray& content, const ImportCallbacks& callbacks);
// Removes every buyer first (its own commit; a failure is reported with "Hiba255…" and the
// inserts follow; "Hiba256 törléskor!" stops). A file without any record is refused before the
// delete (Error), so the database is never left without buyers by an empty file.
ImportSummary importBuyers(TData& dataModule, const QByteArray& content, const ImportCallbacks& callbacks);

ImportSummary importSection(TData& dataModule, Section section, const QByteArray& content,
                            const ImportCallbacks& callbacks);

} // namespace zeror::oldimport
