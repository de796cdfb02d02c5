#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

namespace zeror {

// The one failure type of the data layer and the rules. A failure (the database refused a
// statement, a file could not be written, an operation was refused) is thrown as an Error whose
// message is the text the operator reads; screens catch it at the event handler and show it.
// Checks of operator input are not failures: they answer with std::optional<Fault<Field>>.
class Error : public std::exception
{
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const char* what() const noexcept override { return m_utf8.constData(); }
    const QString& message() const { return m_message; }

private:
    QString m_message;
    QByteArray m_utf8;
};

// The first fault a check finds in operator input: the text to show and the field that gets
// the focus. Field is the screen's own enumeration of its fields (or a column name).
template<class Field>
struct Fault
{
    QString message;
    Field field{};
};

} // namespace zeror
