#pragma once

#include <QString>

// The template files that reports on outside templates name: they lie in the component's folder.
namespace output
{

// The path of the template named in a report's template note.
QString TemplatePath(const QString& templateName);

// What the user is told when the template is not there.
QString MissingTemplateText(const QString& templatePath);

} // namespace output
