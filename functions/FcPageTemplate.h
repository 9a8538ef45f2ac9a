#pragma once

#include <QString>

namespace kesmond {

// The page of a function key by its function: the amount page for the
// amount functions, the rate page for the rate functions, else the basic
// one. With function properties in the database every key gets the
// property page.
unsigned PageTemplateOfFunction(const QString& functionCode);
unsigned ChoosePageTemplate(bool hasFunctionProperties, const QString& functionCode);

} // namespace kesmond
