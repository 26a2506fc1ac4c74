#include "designer/TypedEntry.h"

#include "store/CellSourceText.h"

namespace designer
{

QString TypedEntry(const QString& typed)
{
    if (typed.isEmpty() || store::CellSourceText::parse(typed))
        return typed;
    return store::CellSourceText { QLatin1Char('A'), typed }.text();
}

} // namespace designer
