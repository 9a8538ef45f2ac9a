#pragma once

#include <QString>

namespace kesmond {

// What a page of the function-key editor asks of the dialog that holds it,
// so that the pages need nothing else of the dialog.
class IFcPageHost
{
public:
    // The function the page shows instead of the stored one ("" = stored).
    virtual const QString& FunctionOverride() const = 0;
    virtual void SetFunctionOverride(const QString& code) = 0;
    // Asks, through the event loop, for the page of that template.
    virtual void PostChangePage(uint pageTemplateId) = 0;
    // Cancels the editor through the event loop, once the page's own
    // handling has returned.
    virtual void PostCancel() = 0;

protected:
    ~IFcPageHost() = default;
};

} // namespace kesmond
