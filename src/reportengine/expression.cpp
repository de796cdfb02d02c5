#include "expression.h"

#include "datasource.h"
#include "formatting.h"

#include <cmath>

namespace report::detail {

// ---------------------------------------------------------------- values

Value Value::fromNumber(double v)
{
    Value r;
    r.type = Number;
    r.number = v;
    return r;
}

Value Value::fromText(const QString& v)
{
    Value r;
    r.type = Text;
    r.text = v;
    return r;
}

Value Value::fromBool(bool v)
{
    Value r;
    r.type = Bool;
    r.logical = v;
    return r;
}

Value Value::fromDate(const QDate& v)
{
    Value r;
    if (v.isValid()) {
        r.type = Date;
        r.date = v;
    }
    return r;
}

Value Value::fromVariant(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Bool:
        return fromBool(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return fromNumber(v.toDouble());
    case QMetaType::QString:
        return fromText(v.toString());
    case QMetaType::QByteArray:
        return fromText(QString::fromUtf8(v.toByteArray()));
    case QMetaType::QDate:
        return fromDate(v.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        Value r;
        if (dt.isValid()) {
            r.type = DateTime;
            r.date = dt.date();
            r.time = dt.time();
        }
        return r;
    }
    case QMetaType::QTime:
        return fromText(v.toTime().toString(QStringLiteral("HH:mm:ss")));
    default:
        return fromText(v.toString());
    }
}

double Value::toNumber(bool* ok) const
{
    bool good = true;
    double r = 0;
    switch (type) {
    case Null:
        break;
    case Number:
        r = number;
        break;
    case Bool:
        r = logical ? 1 : 0;
        break;
    case Text:
        r = parseNumber(text, &good);
        break;
    case Date:
    case DateTime:
        good = false;
        break;
    }
    if (ok)
        *ok = good;
    return r;
}

QString Value::toDisplay() const
{
    switch (type) {
    case Null:
        return QString();
    case Number:
        return formatGeneralNumber(number);
    case Text:
        return text;
    case Bool:
        return logical ? QStringLiteral("igen") : QStringLiteral("nem");
    case Date:
        return formatDate(date, QStringLiteral("yyyy.MM.dd"));
    case DateTime:
        return formatDateTime(QDateTime(date, time), QStringLiteral("yyyy.MM.dd HH:mm"));
    }
    return QString();
}

bool Value::isTrue() const
{
    switch (type) {
    case Null:
        return false;
    case Number:
        return number != 0;
    case Text:
        return !text.isEmpty();
    case Bool:
        return logical;
    case Date:
    case DateTime:
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- formats

QString DisplayFormat::apply(const Value& v) const
{
    switch (kind) {
    case None:
        break;
    case Number: {
        if (v.type == Value::Number || v.type == Value::Text) {
            bool ok = false;
            const double n = v.toNumber(&ok);
            if (!ok)
                return v.toDisplay();
            const QString s = formatNumber(n, decimals, grouping);
            if (blankZero && s == formatNumber(0, decimals, grouping))
                return QString();
            return s;
        }
        break;
    }
    case Date:
        if (v.type == Value::Date)
            return formatDate(v.date, datePattern);
        if (v.type == Value::DateTime)
            return formatDateTime(QDateTime(v.date, v.time), datePattern);
        if (v.type == Value::Text) {
            const QDate d = parseDate(v.text);
            if (d.isValid())
                return formatDate(d, datePattern);
        }
        break;
    }
    return v.toDisplay();
}

bool parseDisplayFormat(const QString& text, DisplayFormat* out, QString* error)
{
    *out = DisplayFormat();
    const QString t = text.trimmed();
    if (t.isEmpty())
        return true;
    const int colon = int(t.indexOf(QLatin1Char(':')));
    const QString kind = (colon < 0 ? t : t.left(colon)).trimmed().toLower();
    const QString rest = colon < 0 ? QString() : t.mid(colon + 1);
    if (kind == u"number") {
        out->kind = DisplayFormat::Number;
        const QStringList parts = rest.split(QLatin1Char(':'), Qt::SkipEmptyParts);
        for (int i = 0; i < parts.size(); ++i) {
            const QString p = parts.at(i).trimmed().toLower();
            bool ok = false;
            const int d = p.toInt(&ok);
            if (i == 0 && ok && d >= 0 && d <= 9)
                out->decimals = d;
            else if (p == u"nogroup")
                out->grouping = false;
            else if (p == u"blankzero")
                out->blankZero = true;
            else {
                *error = QStringLiteral("unknown number format part '%1' in '%2'").arg(parts.at(i), text);
                return false;
            }
        }
        return true;
    }
    if (kind == u"date") {
        out->kind = DisplayFormat::Date;
        out->datePattern = rest.isEmpty() ? QStringLiteral("yyyy.MM.dd") : rest;
        return true;
    }
    *error = QStringLiteral("unknown format '%1' (use number:N or date:PATTERN)").arg(text);
    return false;
}

// ---------------------------------------------------------------- nodes

std::unique_ptr<Node> Node::clone() const
{
    auto n = std::make_unique<Node>();
    n->kind = kind;
    n->func = func;
    n->agg = agg;
    n->pageDependent = pageDependent;
    n->literal = literal;
    n->name = name;
    n->field = field;
    n->index = index;
    n->args.reserve(args.size());
    for (const auto& a : args)
        n->args.push_back(a->clone());
    return n;
}

// ---------------------------------------------------------------- parser

namespace {

struct Token {
    enum Kind { End, Number, String, Ident, Quoted, Op };
    Kind kind = End;
    QString text;
    double number = 0;
    int pos = 0;
};

bool isIdentStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#');
}

struct FuncInfo {
    const char16_t* name;
    Func func;
    int minArgs;
    int maxArgs;
};

const FuncInfo kFunctions[] = {
    {u"FORMATNUMBER", Func::FormatNumber, 2, 3},
    {u"FORMATDATE", Func::FormatDate, 2, 2},
    {u"COPY", Func::Copy, 2, 3},
    {u"TRIM", Func::Trim, 1, 1},
    {u"IIF", Func::Iif, 3, 3},
    {u"UPPER", Func::Upper, 1, 1},
    {u"LOWER", Func::Lower, 1, 1},
    {u"LENGTH", Func::Length, 1, 1},
    {u"ROUND", Func::Round, 1, 2},
    {u"ABS", Func::Abs, 1, 1},
    {u"STR", Func::Str, 1, 1},
    {u"TODAY", Func::Today, 0, 0},
};

struct AggInfo {
    const char16_t* name;
    AggFunc func;
};

const AggInfo kAggregates[] = {
    {u"SUM", AggFunc::Sum}, {u"COUNT", AggFunc::Count}, {u"AVG", AggFunc::Avg},
    {u"MIN", AggFunc::Min}, {u"MAX", AggFunc::Max},
};

class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) {}

    std::unique_ptr<Node> parse(QString* error)
    {
        if (!tokenize())
            return fail(error);
        auto n = parseOr();
        if (n && m_tok[m_pos].kind != Token::End)
            setError(QStringLiteral("unexpected '%1'").arg(m_tok[m_pos].text));
        if (!m_error.isEmpty())
            return fail(error);
        return n;
    }

private:
    std::unique_ptr<Node> fail(QString* error)
    {
        if (error)
            *error = m_error;
        return nullptr;
    }

    void setError(const QString& e)
    {
        if (m_error.isEmpty())
            m_error = e;
    }

    bool tokenize()
    {
        const int n = int(m_text.size());
        int i = 0;
        while (i < n) {
            const QChar c = m_text.at(i);
            if (c.isSpace()) {
                ++i;
                continue;
            }
            Token t;
            t.pos = i;
            if (c.isDigit()) {
                int j = i;
                while (j < n && m_text.at(j).isDigit())
                    ++j;
                if (j + 1 < n && m_text.at(j) == QLatin1Char('.') && m_text.at(j + 1).isDigit()) {
                    ++j;
                    while (j < n && m_text.at(j).isDigit())
                        ++j;
                }
                t.kind = Token::Number;
                t.text = m_text.mid(i, j - i);
                t.number = t.text.toDouble();
                i = j;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                // A doubled quote inside stands for the quote itself.
                QString s;
                int j = i + 1;
                bool closed = false;
                while (j < n) {
                    if (m_text.at(j) == c) {
                        if (j + 1 < n && m_text.at(j + 1) == c) {
                            s += c;
                            j += 2;
                            continue;
                        }
                        closed = true;
                        ++j;
                        break;
                    }
                    s += m_text.at(j++);
                }
                if (!closed) {
                    setError(QStringLiteral("unterminated quoted text"));
                    return false;
                }
                t.kind = c == QLatin1Char('\'') ? Token::String : Token::Quoted;
                t.text = s;
                i = j;
            } else if (isIdentStart(c)) {
                int j = i;
                while (j < n && isIdentChar(m_text.at(j)))
                    ++j;
                t.kind = Token::Ident;
                t.text = m_text.mid(i, j - i);
                i = j;
            } else {
                t.kind = Token::Op;
                const QString two = m_text.mid(i, 2);
                if (two == u"<>" || two == u"<=" || two == u">=") {
                    t.text = two;
                    i += 2;
                } else if (QStringLiteral("+-*/(),.=<>").contains(c)) {
                    t.text = QString(c);
                    ++i;
                } else {
                    setError(QStringLiteral("unexpected character '%1'").arg(c));
                    return false;
                }
            }
            m_tok.push_back(t);
        }
        Token end;
        end.pos = n;
        m_tok.push_back(end);
        return true;
    }

    const Token& peek() const { return m_tok[m_pos]; }
    bool isOp(const char16_t* op) const
    {
        return peek().kind == Token::Op && peek().text == QStringView(op);
    }
    bool isKeyword(const char16_t* kw) const
    {
        return peek().kind == Token::Ident
               && peek().text.compare(QStringView(kw), Qt::CaseInsensitive) == 0;
    }
    bool expectOp(const char16_t* op)
    {
        if (isOp(op)) {
            ++m_pos;
            return true;
        }
        setError(peek().kind == Token::End
                     ? QStringLiteral("'%1' expected at the end").arg(QStringView(op))
                     : QStringLiteral("'%1' expected before '%2'").arg(QStringView(op), peek().text));
        return false;
    }

    static std::unique_ptr<Node> make(Node::Kind k)
    {
        auto n = std::make_unique<Node>();
        n->kind = k;
        return n;
    }
    static std::unique_ptr<Node> binary(Node::Kind k, std::unique_ptr<Node> a, std::unique_ptr<Node> b)
    {
        auto n = make(k);
        n->pageDependent = a->pageDependent || b->pageDependent;
        n->args.push_back(std::move(a));
        n->args.push_back(std::move(b));
        return n;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto left = parseAnd();
        while (left && isKeyword(u"OR")) {
            ++m_pos;
            auto right = parseAnd();
            if (!right)
                return nullptr;
            left = binary(Node::Or, std::move(left), std::move(right));
        }
        return left;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto left = parseNot();
        while (left && isKeyword(u"AND")) {
            ++m_pos;
            auto right = parseNot();
            if (!right)
                return nullptr;
            left = binary(Node::And, std::move(left), std::move(right));
        }
        return left;
    }

    std::unique_ptr<Node> parseNot()
    {
        if (isKeyword(u"NOT")) {
            ++m_pos;
            auto inner = parseNot();
            if (!inner)
                return nullptr;
            auto n = make(Node::Not);
            n->pageDependent = inner->pageDependent;
            n->args.push_back(std::move(inner));
            return n;
        }
        return parseCompare();
    }

    std::unique_ptr<Node> parseCompare()
    {
        auto left = parseAdd();
        if (!left)
            return nullptr;
        struct {
            const char16_t* op;
            Node::Kind kind;
        } const ops[] = {{u"=", Node::Eq}, {u"<>", Node::Ne}, {u"<", Node::Lt},
                         {u">", Node::Gt}, {u"<=", Node::Le}, {u">=", Node::Ge}};
        for (const auto& o : ops) {
            if (isOp(o.op)) {
                ++m_pos;
                auto right = parseAdd();
                if (!right)
                    return nullptr;
                return binary(o.kind, std::move(left), std::move(right));
            }
        }
        return left;
    }

    std::unique_ptr<Node> parseAdd()
    {
        auto left = parseMul();
        while (left && (isOp(u"+") || isOp(u"-"))) {
            const Node::Kind k = isOp(u"+") ? Node::Add : Node::Sub;
            ++m_pos;
            auto right = parseMul();
            if (!right)
                return nullptr;
            left = binary(k, std::move(left), std::move(right));
        }
        return left;
    }

    std::unique_ptr<Node> parseMul()
    {
        auto left = parseUnary();
        while (left && (isOp(u"*") || isOp(u"/"))) {
            const Node::Kind k = isOp(u"*") ? Node::Mul : Node::Div;
            ++m_pos;
            auto right = parseUnary();
            if (!right)
                return nullptr;
            left = binary(k, std::move(left), std::move(right));
        }
        return left;
    }

    std::unique_ptr<Node> parseUnary()
    {
        if (isOp(u"-")) {
            ++m_pos;
            auto inner = parseUnary();
            if (!inner)
                return nullptr;
            auto n = make(Node::Neg);
            n->pageDependent = inner->pageDependent;
            n->args.push_back(std::move(inner));
            return n;
        }
        if (isOp(u"+")) {
            ++m_pos;
            return parseUnary();
        }
        return parsePrimary();
    }

    std::unique_ptr<Node> parsePrimary()
    {
        const Token t = peek();
        switch (t.kind) {
        case Token::End:
            setError(QStringLiteral("unexpected end of expression"));
            return nullptr;
        case Token::Number: {
            ++m_pos;
            auto n = make(Node::Literal);
            n->literal = Value::fromNumber(t.number);
            return n;
        }
        case Token::String: {
            ++m_pos;
            auto n = make(Node::Literal);
            n->literal = Value::fromText(t.text);
            return n;
        }
        case Token::Quoted: {
            ++m_pos;
            auto n = make(Node::Variable);
            n->name = t.text;
            return n;
        }
        case Token::Op:
            if (t.text == u"(") {
                ++m_pos;
                auto inner = parseOr();
                if (!inner || !expectOp(u")"))
                    return nullptr;
                return inner;
            }
            setError(QStringLiteral("unexpected '%1'").arg(t.text));
            return nullptr;
        case Token::Ident:
            break;
        }
        ++m_pos;
        if (isOp(u"("))
            return parseCall(t.text);
        if (isOp(u".")) {
            ++m_pos;
            const Token f = peek();
            if (f.kind != Token::Quoted && f.kind != Token::Ident) {
                setError(QStringLiteral("field name expected after '%1.'").arg(t.text));
                return nullptr;
            }
            ++m_pos;
            auto n = make(Node::Field);
            n->name = t.text;
            n->field = f.text;
            return n;
        }
        const QString upper = t.text.toUpper();
        if (upper == u"PAGE#" || upper == u"TOTALPAGES#") {
            auto n = make(upper == u"PAGE#" ? Node::PageNo : Node::TotalPages);
            n->pageDependent = true;
            return n;
        }
        if (upper == u"LINE#")
            return make(Node::LineNo);
        if (upper == u"TRUE" || upper == u"FALSE") {
            auto n = make(Node::Literal);
            n->literal = Value::fromBool(upper == u"TRUE");
            return n;
        }
        if (t.text.contains(QLatin1Char('#'))) {
            setError(QStringLiteral("unknown name '%1'").arg(t.text));
            return nullptr;
        }
        auto n = make(Node::Variable);
        n->name = t.text;
        return n;
    }

    std::unique_ptr<Node> parseCall(const QString& name)
    {
        ++m_pos;  // '('
        std::vector<std::unique_ptr<Node>> args;
        if (!isOp(u")")) {
            while (true) {
                auto a = parseOr();
                if (!a)
                    return nullptr;
                args.push_back(std::move(a));
                if (isOp(u",")) {
                    ++m_pos;
                    continue;
                }
                break;
            }
        }
        if (!expectOp(u")"))
            return nullptr;
        const QString upper = name.toUpper();
        for (const AggInfo& a : kAggregates) {
            if (upper != QStringView(a.name))
                continue;
            return makeAggregate(a.func, name, std::move(args));
        }
        for (const FuncInfo& f : kFunctions) {
            if (upper != QStringView(f.name))
                continue;
            if (int(args.size()) < f.minArgs || int(args.size()) > f.maxArgs) {
                setError(f.minArgs == f.maxArgs
                             ? QStringLiteral("%1 takes %2 argument(s)").arg(upper).arg(f.minArgs)
                             : QStringLiteral("%1 takes %2 to %3 arguments")
                                   .arg(upper).arg(f.minArgs).arg(f.maxArgs));
                return nullptr;
            }
            auto n = make(Node::Call);
            n->func = f.func;
            n->name = upper;
            for (auto& a : args)
                n->pageDependent = n->pageDependent || a->pageDependent;
            n->args = std::move(args);
            return n;
        }
        setError(QStringLiteral("unknown function '%1'").arg(name));
        return nullptr;
    }

    std::unique_ptr<Node> makeAggregate(AggFunc func, const QString& name,
                                        std::vector<std::unique_ptr<Node>> args)
    {
        const QString upper = name.toUpper();
        // COUNT([band]); the others (expression[, band]).
        const size_t valueArgs = func == AggFunc::Count ? 0 : 1;
        if (args.size() < valueArgs || args.size() > valueArgs + 1) {
            setError(func == AggFunc::Count
                         ? QStringLiteral("COUNT takes no argument or a band name")
                         : QStringLiteral("%1 takes an expression and optionally a band name").arg(upper));
            return nullptr;
        }
        auto n = make(Node::Aggregate);
        n->agg = func;
        if (args.size() > valueArgs) {
            const Node& band = *args.back();
            if (band.kind == Node::Literal && band.literal.type == Value::Text)
                n->name = band.literal.text;
            else if (band.kind == Node::Variable)
                n->name = band.name;
            else {
                setError(QStringLiteral("the last argument of %1 must be a band name").arg(upper));
                return nullptr;
            }
            args.pop_back();
        }
        for (auto& a : args) {
            bool nested = false;
            walk(*a, [&nested](Node& x) { nested = nested || x.kind == Node::Aggregate; });
            if (nested) {
                setError(QStringLiteral("%1 cannot contain another SUM/COUNT/AVG/MIN/MAX").arg(upper));
                return nullptr;
            }
        }
        n->args = std::move(args);
        return n;
    }

    QString m_text;
    std::vector<Token> m_tok;
    size_t m_pos = 0;
    QString m_error;
};

// ---------------------------------------------------------------- evaluator

// Three-way comparison; both sides are brought to a common kind first.
int compareValues(const Value& a, const Value& b)
{
    auto cmp = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    if (a.isNull() && b.isNull())
        return 0;
    const bool aDate = a.type == Value::Date || a.type == Value::DateTime;
    const bool bDate = b.type == Value::Date || b.type == Value::DateTime;
    if (aDate || bDate) {
        auto toDt = [](const Value& v) {
            if (v.type == Value::Date || v.type == Value::DateTime)
                return QDateTime(v.date, v.type == Value::DateTime ? v.time : QTime(0, 0));
            if (v.type == Value::Text)
                return QDateTime(parseDate(v.text), QTime(0, 0));
            return QDateTime();
        };
        const QDateTime x = toDt(a), y = toDt(b);
        if (x.isValid() && y.isValid())
            return cmp(x, y);
        if (!x.isValid() && !y.isValid())
            return 0;
        return x.isValid() ? 1 : -1;
    }
    const bool numericSide = a.type == Value::Number || b.type == Value::Number
                             || a.type == Value::Bool || b.type == Value::Bool;
    if (numericSide) {
        bool okA = false, okB = false;
        const double x = a.toNumber(&okA), y = b.toNumber(&okB);
        if (okA && okB)
            return cmp(x, y);
    }
    return cmp(a.toDisplay().compare(b.toDisplay()), 0);
}

double roundCommercial(double v, int decimals)
{
    const double scale = std::pow(10.0, qBound(0, decimals, 9));
    const double scaled = v * scale;
    const double nudge = std::abs(scaled) * 1e-11 + 1e-9;
    return std::round(scaled + (scaled >= 0 ? nudge : -nudge)) / scale;
}

Value callFunction(const Node& n, const EvalContext& ctx)
{
    auto arg = [&](size_t i) { return evaluate(*n.args[i], ctx); };
    switch (n.func) {
    case Func::None:
        break;
    case Func::FormatNumber: {
        const Value v = arg(0);
        if (v.isNull())
            return Value::fromText(QString());
        bool ok = false;
        const double x = v.toNumber(&ok);
        if (!ok)
            return Value::fromText(v.toDisplay());
        const int decimals = int(arg(1).toNumber());
        const bool grouping = n.args.size() < 3 || arg(2).isTrue();
        return Value::fromText(formatNumber(x, decimals, grouping));
    }
    case Func::FormatDate: {
        DisplayFormat f;
        f.kind = DisplayFormat::Date;
        f.datePattern = arg(1).toDisplay();
        return Value::fromText(f.apply(arg(0)));
    }
    case Func::Copy: {
        const QString s = arg(0).toDisplay();
        qsizetype start = qsizetype(arg(1).toNumber());
        if (start < 1)
            start = 1;
        if (start > s.size())
            return Value::fromText(QString());
        if (n.args.size() < 3)
            return Value::fromText(s.mid(start - 1));
        const qsizetype len = qsizetype(arg(2).toNumber());
        return Value::fromText(len <= 0 ? QString() : s.mid(start - 1, len));
    }
    case Func::Trim:
        return Value::fromText(arg(0).toDisplay().trimmed());
    case Func::Iif:
        return arg(0).isTrue() ? arg(1) : arg(2);
    case Func::Upper:
        return Value::fromText(arg(0).toDisplay().toUpper());
    case Func::Lower:
        return Value::fromText(arg(0).toDisplay().toLower());
    case Func::Length:
        return Value::fromNumber(double(arg(0).toDisplay().size()));
    case Func::Round: {
        const Value v = arg(0);
        if (v.isNull())
            return v;
        const int decimals = n.args.size() > 1 ? int(arg(1).toNumber()) : 0;
        return Value::fromNumber(roundCommercial(v.toNumber(), decimals));
    }
    case Func::Abs: {
        const Value v = arg(0);
        return v.isNull() ? v : Value::fromNumber(std::abs(v.toNumber()));
    }
    case Func::Str:
        return Value::fromText(arg(0).toDisplay());
    case Func::Today:
        return Value::fromDate(QDate::currentDate());
    }
    return {};
}

Value arithmetic(Node::Kind k, const Value& a, const Value& b)
{
    if (k == Node::Add && (a.type == Value::Text || b.type == Value::Text))
        return Value::fromText(a.toDisplay() + b.toDisplay());
    if (a.isNull() && b.isNull())
        return {};
    // Dates move by whole days; two dates subtract to the days between them.
    if (a.type == Value::Date || a.type == Value::DateTime) {
        if (k == Node::Sub && (b.type == Value::Date || b.type == Value::DateTime))
            return Value::fromNumber(double(b.date.daysTo(a.date)));
        if (k == Node::Add || k == Node::Sub) {
            Value r = a;
            const qint64 days = qint64(b.toNumber());
            r.date = a.date.addDays(k == Node::Add ? days : -days);
            return r;
        }
    }
    if (k == Node::Add && b.type == Value::Date)
        return arithmetic(k, b, a);
    const double x = a.toNumber(), y = b.toNumber();
    switch (k) {
    case Node::Add:
        return Value::fromNumber(x + y);
    case Node::Sub:
        return Value::fromNumber(x - y);
    case Node::Mul:
        return Value::fromNumber(x * y);
    case Node::Div:
        return y == 0 ? Value() : Value::fromNumber(x / y);
    default:
        return {};
    }
}

}  // namespace

std::unique_ptr<Node> parseExpression(const QString& text, QString* error)
{
    Parser p(text);
    return p.parse(error);
}

void AggregateState::add(const Value& v)
{
    ++count;
    if (v.isNull())
        return;
    bool ok = false;
    const double x = v.toNumber(&ok);
    if (ok)
        sum += x;
    if (min.isNull() || compareValues(v, min) < 0)
        min = v;
    if (max.isNull() || compareValues(v, max) > 0)
        max = v;
    ++valueCount;
}

Value AggregateState::result(AggFunc f) const
{
    switch (f) {
    case AggFunc::Sum:
        return Value::fromNumber(sum);
    case AggFunc::Count:
        return Value::fromNumber(double(count));
    case AggFunc::Avg:
        return valueCount == 0 ? Value() : Value::fromNumber(sum / double(valueCount));
    case AggFunc::Min:
        return min;
    case AggFunc::Max:
        return max;
    }
    return {};
}

Value evaluate(const Node& n, const EvalContext& ctx)
{
    switch (n.kind) {
    case Node::Literal:
        return n.literal;
    case Node::Field: {
        const DataSource* src = ctx.sources && n.index >= 0 && size_t(n.index) < ctx.sources->size()
                                    ? (*ctx.sources)[size_t(n.index)]
                                    : nullptr;
        return src ? Value::fromVariant(src->value(n.field)) : Value();
    }
    case Node::Variable:
        return ctx.variables ? Value::fromVariant(ctx.variables->value(n.name)) : Value();
    case Node::PageNo:
        return Value::fromNumber(ctx.page);
    case Node::TotalPages:
        return Value::fromNumber(ctx.totalPages);
    case Node::LineNo:
        return Value::fromNumber(ctx.lineNo);
    case Node::Neg: {
        const Value v = evaluate(*n.args[0], ctx);
        return v.isNull() ? v : Value::fromNumber(-v.toNumber());
    }
    case Node::Not:
        return Value::fromBool(!evaluate(*n.args[0], ctx).isTrue());
    case Node::Add:
    case Node::Sub:
    case Node::Mul:
    case Node::Div:
        return arithmetic(n.kind, evaluate(*n.args[0], ctx), evaluate(*n.args[1], ctx));
    case Node::Eq:
    case Node::Ne:
    case Node::Lt:
    case Node::Gt:
    case Node::Le:
    case Node::Ge: {
        const int c = compareValues(evaluate(*n.args[0], ctx), evaluate(*n.args[1], ctx));
        switch (n.kind) {
        case Node::Eq: return Value::fromBool(c == 0);
        case Node::Ne: return Value::fromBool(c != 0);
        case Node::Lt: return Value::fromBool(c < 0);
        case Node::Gt: return Value::fromBool(c > 0);
        case Node::Le: return Value::fromBool(c <= 0);
        default: return Value::fromBool(c >= 0);
        }
    }
    case Node::And:
        return Value::fromBool(evaluate(*n.args[0], ctx).isTrue() && evaluate(*n.args[1], ctx).isTrue());
    case Node::Or:
        return Value::fromBool(evaluate(*n.args[0], ctx).isTrue() || evaluate(*n.args[1], ctx).isTrue());
    case Node::Call:
        return callFunction(n, ctx);
    case Node::Aggregate:
        if (ctx.aggregates && n.index >= 0 && size_t(n.index) < ctx.aggregates->size())
            return (*ctx.aggregates)[size_t(n.index)].result(n.agg);
        return {};
    }
    return {};
}

std::unique_ptr<Node> bindExceptPages(const Node& node, const EvalContext& ctx)
{
    auto out = std::make_unique<Node>();
    if (!node.pageDependent) {
        out->kind = Node::Literal;
        out->literal = evaluate(node, ctx);
        return out;
    }
    out->kind = node.kind;
    out->func = node.func;
    out->agg = node.agg;
    out->pageDependent = true;
    out->name = node.name;
    out->args.reserve(node.args.size());
    for (const auto& a : node.args)
        out->args.push_back(bindExceptPages(*a, ctx));
    return out;
}

}  // namespace report::detail
