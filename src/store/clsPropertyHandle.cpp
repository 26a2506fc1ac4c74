#include "store/clsPropertyHandle.h"

#include "store/TextConvert.h"
#include <functional>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QMetaProperty>
#include <QObject>
#include <QPalette>
#include <QRect>

namespace store
{

namespace
{

const QChar At = QLatin1Char('@');
const QChar Bar = QLatin1Char('|');
const QChar Backslash = QLatin1Char('\\');

bool isBlank(const QString& text)
{
    return trimBlanks(text).isEmpty();
}

// Sets a property only when the object's class declares it, so that a name the object lacks
// creates no dynamic property.
bool setDeclared(QObject* object, const char* name, const QVariant& value)
{
    if (object->metaObject()->indexOfProperty(name) < 0)
        return false;
    return object->setProperty(name, value);
}

void setFirstDeclared(QObject* object, std::initializer_list<const char*> names, const QVariant& value)
{
    for (const char* name : names) {
        if (setDeclared(object, name, value))
            return;
    }
}

void changeFont(QObject* object, const std::function<void(QFont&)>& change)
{
    if (object->metaObject()->indexOfProperty("font") < 0)
        return;
    QFont font = object->property("font").value<QFont>();
    change(font);
    object->setProperty("font", font);
}

// Colours are 0xRRGGBB; they go into the object's palette as its text or window colour.
void setPaletteColor(QObject* object, const QVariant& value, QPalette::ColorRole role)
{
    bool ok = false;
    const uint rgb = value.toUInt(&ok);
    if (!ok || object->metaObject()->indexOfProperty("palette") < 0)
        return;
    QPalette palette = object->property("palette").value<QPalette>();
    palette.setColor(role, QColor::fromRgb(rgb));
    object->setProperty("palette", palette);
    if (role == QPalette::Window)
        setDeclared(object, "autoFillBackground", true);
}

void changeGeometry(QObject* object, const QVariant& value, const std::function<void(QRect&, int)>& change)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || object->metaObject()->indexOfProperty("geometry") < 0)
        return;
    QRect geometry = object->property("geometry").toRect();
    change(geometry, number);
    object->setProperty("geometry", geometry);
}

using PropertySetter = std::function<void(QObject*, const QVariant&)>;

const QHash<QString, PropertySetter>& propertySetters()
{
    static const QHash<QString, PropertySetter> setters {
        { QStringLiteral("CAPTION"),
            [](QObject* o, const QVariant& v) {
                setFirstDeclared(o, { "text", "title", "windowTitle" }, v);
            } },
        { QStringLiteral("FORECOLOR"),
            [](QObject* o, const QVariant& v) { setPaletteColor(o, v, QPalette::WindowText); } },
        { QStringLiteral("BACKCOLOR"),
            [](QObject* o, const QVariant& v) { setPaletteColor(o, v, QPalette::Window); } },
        { QStringLiteral("HEIGHT"),
            [](QObject* o, const QVariant& v) {
                changeGeometry(o, v, [](QRect& r, int n) { r.setHeight(n); });
            } },
        { QStringLiteral("WIDTH"),
            [](QObject* o, const QVariant& v) {
                changeGeometry(o, v, [](QRect& r, int n) { r.setWidth(n); });
            } },
        { QStringLiteral("LEFT"),
            [](QObject* o, const QVariant& v) {
                changeGeometry(o, v, [](QRect& r, int n) { r.moveLeft(n); });
            } },
        { QStringLiteral("TOP"),
            [](QObject* o, const QVariant& v) {
                changeGeometry(o, v, [](QRect& r, int n) { r.moveTop(n); });
            } },
        { QStringLiteral("ALIGN"), [](QObject* o, const QVariant& v) { setDeclared(o, "align", v); } },
        { QStringLiteral("BORDERSTYLE"),
            [](QObject* o, const QVariant& v) { setDeclared(o, "borderStyle", v); } },
        { QStringLiteral("APPEARANCE"),
            [](QObject* o, const QVariant& v) { setDeclared(o, "appearance", v); } },
        { QStringLiteral("FONT"),
            [](QObject* o, const QVariant& v) {
                changeFont(o, [&](QFont& f) { f.setFamily(v.toString()); });
            } },
        { QStringLiteral("FONTNAME"),
            [](QObject* o, const QVariant& v) {
                changeFont(o, [&](QFont& f) { f.setFamily(v.toString()); });
            } },
        { QStringLiteral("FONTSIZE"),
            [](QObject* o, const QVariant& v) {
                bool ok = false;
                const double size = v.toDouble(&ok);
                if (ok && size > 0)
                    changeFont(o, [&](QFont& f) { f.setPointSizeF(size); });
            } },
        { QStringLiteral("FONTBOLD"),
            [](QObject* o, const QVariant& v) {
                if (v.typeId() == QMetaType::Bool)
                    changeFont(o, [&](QFont& f) { f.setBold(v.toBool()); });
            } },
        { QStringLiteral("FONTITALIC"),
            [](QObject* o, const QVariant& v) {
                if (v.typeId() == QMetaType::Bool)
                    changeFont(o, [&](QFont& f) { f.setItalic(v.toBool()); });
            } },
        { QStringLiteral("TEXT"),
            [](QObject* o, const QVariant& v) {
                setFirstDeclared(o, { "text", "plainText" }, v);
            } },
        { QStringLiteral("VALUE"), [](QObject* o, const QVariant& v) { setDeclared(o, "value", v); } },
    };
    return setters;
}

} // namespace

QString clsPropertyHandle::GetPropertyString(
    const QString& vsPropertyType, PropertyDataType viDataType, const QString& vsPropertyValue)
{
    if (vsPropertyType.isEmpty())
        return QString();
    return At + vsPropertyType + Bar + QString::number(static_cast<int>(viDataType)) + Bar
        + EncodePropertyValue(vsPropertyValue);
}

bool clsPropertyHandle::GetPropertyByNo(const QString& vsPropertyString, int viNo, QString& vsPropertyType,
    int& viDataType, QString& vsPropertyValue)
{
    if (isBlank(vsPropertyString) || viNo < 1)
        return false;
    qsizetype at = -1;
    for (int found = 0; found < viNo; ++found) {
        at = vsPropertyString.indexOf(At, at + 1);
        if (at < 0)
            return false;
    }
    const qsizetype end = FindPropertyEnd(at, vsPropertyString);
    return SeparateString(vsPropertyString.mid(at, end - at), vsPropertyType, viDataType, vsPropertyValue);
}

bool clsPropertyHandle::SeparateString(
    const QString& vsString, QString& vsSubString1, int& vsSubString2, QString& vsSubString3)
{
    if (isBlank(vsString))
        return false;
    const QString item = DecodePropertyValue(vsString);
    const qsizetype firstBar = item.indexOf(Bar);
    if (firstBar < 0)
        return false;
    vsSubString1 = item.mid(1, firstBar - 1);
    const qsizetype secondBar = item.indexOf(Bar, firstBar + 1);
    if (secondBar < 0)
        return false;
    if (const auto code = toShort(item.mid(firstBar + 1, secondBar - firstBar - 1)))
        vsSubString2 = *code;
    vsSubString3 = item.mid(secondBar + 1);
    return true;
}

bool clsPropertyHandle::GetPropertyByName(
    const QString& vsPropertyString, QString& vsPropertyName, int& viDataType, QString& vsPropertyValue)
{
    if (isBlank(vsPropertyString) || vsPropertyName.isEmpty())
        return false;
    const qsizetype nameLength = vsPropertyName.size();
    qsizetype hit = vsPropertyString.indexOf(vsPropertyName);
    while (hit >= 0) {
        // A text that begins with the name has no "@" before it: it is no property string.
        if (hit == 0)
            return false;
        const qsizetype after = hit + nameLength;
        if (vsPropertyString.at(hit - 1) == At && after < vsPropertyString.size()
            && vsPropertyString.at(after) == Bar)
            break;
        hit = vsPropertyString.indexOf(vsPropertyName, hit + 1);
    }
    if (hit < 0)
        return false;
    const qsizetype begin = hit - 1;
    const qsizetype end = FindPropertyEnd(hit, vsPropertyString);
    return SeparateString(
        vsPropertyString.mid(begin, end - begin), vsPropertyName, viDataType, vsPropertyValue);
}

bool clsPropertyHandle::SetObjectProperty(QObject* vobjObject, QString& vsProperty_Info)
{
    bool result = true;
    QString name;
    int dataType = 0;
    QString value;
    while (!vsProperty_Info.isEmpty()) {
        const qsizetype at = vsProperty_Info.indexOf(At);
        if (at < 0) {
            result = false;
            vsProperty_Info.clear();
            break;
        }
        const qsizetype end = FindPropertyEnd(at, vsProperty_Info);
        if (SeparateString(vsProperty_Info.mid(at, end - at), name, dataType, value))
            SetPropertyByName(vobjObject, dataType, value, name);
        vsProperty_Info = vsProperty_Info.mid(end);
    }
    return result;
}

QVariant clsPropertyHandle::TransValue(int viDataType, QString& vsValue)
{
    const QVariant empty = QString(QLatin1String(""));
    switch (static_cast<PropertyDataType>(viDataType)) {
    case PropertyDataType::String:
        return vsValue;
    case PropertyDataType::Integer: {
        const auto number = toShort(vsValue);
        return number ? QVariant(*number) : empty;
    }
    case PropertyDataType::Double: {
        const auto number = toDouble(vsValue);
        return number ? QVariant(*number) : empty;
    }
    case PropertyDataType::Boolean: {
        vsValue = vsValue.toUpper();
        const QString word = trimBlanks(vsValue);
        if (word == QLatin1String("TRUE"))
            return true;
        if (word == QLatin1String("FALSE"))
            return false;
        return empty;
    }
    case PropertyDataType::Date: {
        const auto date = toDateTime(vsValue);
        return date ? QVariant(*date) : empty;
    }
    case PropertyDataType::Long: {
        const auto number = toLong(vsValue);
        return number ? QVariant(*number) : empty;
    }
    }
    return empty;
}

QString clsPropertyHandle::EncodePropertyValue(const QString& value)
{
    if (isBlank(value))
        return QString(QLatin1String(""));
    QString text = value;
    text.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    text.replace(QStringLiteral("@"), QStringLiteral("\\@"));
    text.replace(QStringLiteral("|"), QStringLiteral("\\|"));
    return text;
}

QString clsPropertyHandle::DecodePropertyValue(const QString& text)
{
    if (isBlank(text))
        return QString(QLatin1String(""));
    QString value = text;
    value.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    value.replace(QStringLiteral("\\@"), QStringLiteral("@"));
    value.replace(QStringLiteral("\\|"), QStringLiteral("|"));
    return value;
}

qsizetype clsPropertyHandle::FindPropertyEnd(qsizetype start, const QString& text)
{
    qsizetype at = start;
    for (;;) {
        at = text.indexOf(At, at + 1);
        if (at < 0)
            return text.size();
        qsizetype backslashes = 0;
        while (at - backslashes - 1 >= 0 && text.at(at - backslashes - 1) == Backslash)
            ++backslashes;
        if (backslashes % 2 == 0)
            return at;
    }
}

void clsPropertyHandle::SetPropertyByName(QObject* object, int dataType, QString value, QString& name)
{
    name = name.toUpper();
    const QVariant converted = TransValue(dataType, value);
    if (!object)
        return;
    const auto setter = propertySetters().find(name);
    if (setter != propertySetters().end())
        (*setter)(object, converted);
}

} // namespace store
