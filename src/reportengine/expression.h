#pragma once

// Internal to the report engine: the values and the expression trees of the
// bracketed expressions in templates, their parser and their evaluator.

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

#include <memory>
#include <vector>

namespace report {
class DataSource;
class VariableStore;
}

namespace report::detail {

// One value while evaluating: null, number, text, date, date-time or logical.
struct Value {
    enum Type : quint8 { Null, Number, Text, Date, DateTime, Bool };
    Type type = Null;
    bool logical = false;
    double number = 0;
    QString text;
    QDate date;
    QTime time;

    static Value fromNumber(double v);
    static Value fromText(const QString& v);
    static Value fromBool(bool v);
    static Value fromDate(const QDate& v);
    static Value fromVariant(const QVariant& v);

    bool isNull() const { return type == Null; }
    // As a number for arithmetic: text is read as a number if it is one, null is 0.
    double toNumber(bool* ok = nullptr) const;
    // The unformatted printed form (decimal comma, dates as yyyy.MM.dd).
    QString toDisplay() const;
    bool isTrue() const;
};

// How a value of a text object is shown (the object's format attribute).
struct DisplayFormat {
    enum Kind : quint8 { None, Number, Date };
    Kind kind = None;
    int decimals = 2;
    bool grouping = true;
    bool blankZero = false;
    QString datePattern;

    QString apply(const Value& v) const;
};

// Parses "number:2", "number:0:nogroup", "number:2:blankzero", "date:yyyy.MM.dd".
bool parseDisplayFormat(const QString& text, DisplayFormat* out, QString* error);

enum class Func : quint8 {
    None, FormatNumber, FormatDate, Copy, Trim, Iif, Upper, Lower, Length, Round, Abs, Str,
    Today,
};
enum class AggFunc : quint8 { Sum, Count, Avg, Min, Max };

struct Node {
    enum Kind : quint8 {
        Literal, Field, Variable, PageNo, TotalPages, LineNo,
        Neg, Not, Add, Sub, Mul, Div, Eq, Ne, Lt, Gt, Le, Ge, And, Or,
        Call, Aggregate,
    };
    Kind kind = Literal;
    Func func = Func::None;
    AggFunc agg = AggFunc::Sum;
    // Depends on PAGE# or TOTALPAGES#, so it is finished after pagination.
    bool pageDependent = false;
    Value literal;
    QString name;   // component (Field), variable name, or the band an aggregate counts
    QString field;  // field name (Field)
    int index = -1; // component index (Field) or aggregator index (Aggregate)
    std::vector<std::unique_ptr<Node>> args;

    std::unique_ptr<Node> clone() const;
};

// Parses the inside of one bracket; on failure returns nullptr and sets error.
std::unique_ptr<Node> parseExpression(const QString& text, QString* error);

// Current state of one SUM/COUNT/AVG/MIN/MAX while preparing.
struct AggregateState {
    double sum = 0;
    qint64 count = 0;       // rows seen
    qint64 valueCount = 0;  // rows whose value was not null
    Value min, max;
    void reset() { *this = AggregateState(); }
    void add(const Value& v);
    Value result(AggFunc f) const;
};

struct EvalContext {
    const std::vector<DataSource*>* sources = nullptr;  // by component index
    const VariableStore* variables = nullptr;
    const std::vector<AggregateState>* aggregates = nullptr;
    int page = 1;        // 1-based
    int totalPages = 0;
    int lineNo = 0;
};

Value evaluate(const Node& node, const EvalContext& ctx);
// Evaluates everything that does not depend on the page numbers and leaves
// the rest as a smaller tree to evaluate once the pages are known.
std::unique_ptr<Node> bindExceptPages(const Node& node, const EvalContext& ctx);

// Calls fn for the node and every node below it (not into aggregates' arguments
// when intoAggregates is false).
template <typename Fn>
void walk(Node& node, Fn&& fn, bool intoAggregates = true)
{
    fn(node);
    if (node.kind == Node::Aggregate && !intoAggregates)
        return;
    for (auto& a : node.args)
        walk(*a, fn, intoAggregates);
}

}  // namespace report::detail
