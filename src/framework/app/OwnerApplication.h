// The application a component finds among its owners, for the components that cannot work
// without one (they need its platform or a hidden window of its own).
#pragma once

#include <string>

#include "framework/Component.h"
#include "framework/Exception.h"

namespace zindra {

class TApplication;

// Throws EInvalidOperation "<className> needs an application among its owners" when there is none.
inline TApplication& OwnerApplication(const TComponent& component, const std::string& className) {
    TApplication* application = component.Application();
    if (!application) throw EInvalidOperation(className + " needs an application among its owners");
    return *application;
}

}  // namespace zindra
