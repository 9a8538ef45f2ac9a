#pragma once

#include "monitor/MonXMLResult.h"

#include <QString>

namespace mervolt {

class CXmlDataArray;

// Merges the file into the items: each item element finds or adds its item
// (by element name and "name"), whose value becomes the element's whole
// text. Stops at the first failure; items read before it stay.
MonXMLResult ReadPreferenceXml(const QString& path, CXmlDataArray& items);
// Writes every item, in order, in the file's fixed form. A failure leaves
// the old file as it was.
MonXMLResult WritePreferenceXml(const QString& path, CXmlDataArray& items);

} // namespace mervolt
