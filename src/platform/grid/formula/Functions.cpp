#include "Functions.h"

#include "../DecimalDigits.h"
#include "Evaluator.h"
#include <cmath>

namespace platform::grid::formula
{

namespace
{

constexpr int kManyArguments = 255;

const FunctionInfo kFunctions[] = {
    { Function::Sum, "SUM", 1, kManyArguments },
    { Function::Average, "AVERAGE", 1, kManyArguments },
    { Function::Min, "MIN", 1, kManyArguments },
    { Function::Max, "MAX", 1, kManyArguments },
    { Function::Count, "COUNT", 1, kManyArguments },
    { Function::Round, "ROUND", 2, 2 },
    { Function::Abs, "ABS", 1, 1 },
    { Function::If, "IF", 2, 3 },
};

// What an aggregate does with errors and with direct arguments that are not numbers: SUM, AVERAGE,
// MIN and MAX fail with them, COUNT passes them over.
enum class Leniency { Strict, SkipNonNumbers };

// Hands every number an aggregate takes to `take`: the numbers of the cells of reference and range
// arguments (texts, logical values and empty cells there are skipped), and each other argument
// converted to a number. Gives the error that ends the aggregate, if any.
template <class Take>
std::optional<CellError> forEachNumber(
    const Evaluator& evaluator, const Node& call, Leniency leniency, Take take)
{
    const bool strict = leniency == Leniency::Strict;
    for (const NodePtr& argument : call.operands) {
        const Node& node = withoutParentheses(*argument);
        if (node.kind == NodeKind::Reference || node.kind == NodeKind::Range) {
            const CellRange& data = evaluator.dataArea();
            const int lastRow = std::min(node.last.row, data.row2);
            const int lastCol = std::min(node.last.col, data.col2);
            for (int row = std::max(node.first.row, data.row1); row <= lastRow; ++row) {
                for (int col = std::max(node.first.col, data.col1); col <= lastCol; ++col) {
                    const CellValue value = evaluator.cell(row, col);
                    if (const auto* number = std::get_if<double>(&value))
                        take(*number);
                    else if (const auto* error = errorOf(value); error && strict)
                        return *error;
                }
            }
            continue;
        }
        const CellValue value = evaluator.value(node);
        if (std::holds_alternative<std::monostate>(value))
            continue;
        const NumberOrError number = numberOf(value);
        if (const auto* error = std::get_if<CellError>(&number)) {
            if (strict)
                return *error;
        } else {
            take(std::get<double>(number));
        }
    }
    return std::nullopt;
}

CellValue aggregate(const Evaluator& evaluator, const Node& call)
{
    double sum = 0;
    int count = 0;
    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
    const Leniency leniency = call.function == Function::Count ? Leniency::SkipNonNumbers : Leniency::Strict;
    const auto error = forEachNumber(evaluator, call, leniency, [&](double number) {
        sum += number;
        ++count;
        lowest = std::min(lowest, number);
        highest = std::max(highest, number);
    });
    if (error)
        return *error;
    switch (call.function) {
    case Function::Sum:
        return sum;
    case Function::Count:
        return double(count);
    case Function::Average:
        if (count == 0)
            return errorValue("#DIV/0!");
        return sum / count;
    case Function::Min:
        return count == 0 ? 0.0 : lowest;
    default:
        return count == 0 ? 0.0 : highest;
    }
}

// Rounds half away from zero on the digits the number shows, so ROUND(1.005, 2) is 1.01.
CellValue round(const Evaluator& evaluator, const Node& call)
{
    const NumberOrError number = numberOf(evaluator.value(*call.operands[0]));
    if (const auto* error = std::get_if<CellError>(&number))
        return *error;
    const NumberOrError digits = numberOf(evaluator.value(*call.operands[1]));
    if (const auto* error = std::get_if<CellError>(&digits))
        return *error;
    if (!std::isfinite(std::get<double>(number)))
        return errorValue("#NUM!");
    const int places = int(std::clamp(std::trunc(std::get<double>(digits)), -400.0, 400.0));
    return DecimalDigits::of(std::get<double>(number)).roundedTo(places).toDouble();
}

CellValue absolute(const Evaluator& evaluator, const Node& call)
{
    const NumberOrError number = numberOf(evaluator.value(*call.operands[0]));
    if (const auto* error = std::get_if<CellError>(&number))
        return *error;
    return std::fabs(std::get<double>(number));
}

// Only the branch chosen is computed. A missing third argument gives FALSE.
CellValue ifThenElse(const Evaluator& evaluator, const Node& call)
{
    const CellValue condition = evaluator.value(*call.operands[0]);
    bool holds = false;
    if (const auto* error = errorOf(condition)) {
        return *error;
    } else if (const auto* logical = std::get_if<bool>(&condition)) {
        holds = *logical;
    } else if (const auto* number = std::get_if<double>(&condition)) {
        holds = *number != 0;
    } else if (const auto* text = std::get_if<QString>(&condition)) {
        if (text->compare(u"TRUE", Qt::CaseInsensitive) != 0
            && text->compare(u"FALSE", Qt::CaseInsensitive) != 0)
            return errorValue("#VALUE!");
        holds = text->compare(u"TRUE", Qt::CaseInsensitive) == 0;
    }
    if (holds)
        return evaluator.value(*call.operands[1]);
    if (call.operands.size() > 2)
        return evaluator.value(*call.operands[2]);
    return false;
}

} // namespace

const FunctionInfo* findFunction(QStringView name)
{
    for (const FunctionInfo& info : kFunctions) {
        if (name.compare(QLatin1StringView(info.name), Qt::CaseInsensitive) == 0)
            return &info;
    }
    return nullptr;
}

CellValue callFunction(const Evaluator& evaluator, const Node& call)
{
    switch (call.function) {
    case Function::Sum:
    case Function::Average:
    case Function::Min:
    case Function::Max:
    case Function::Count:
        return aggregate(evaluator, call);
    case Function::Round:
        return round(evaluator, call);
    case Function::Abs:
        return absolute(evaluator, call);
    case Function::If:
        return ifThenElse(evaluator, call);
    case Function::Unknown:
        break;
    }
    return errorValue("#NAME?");
}

} // namespace platform::grid::formula
