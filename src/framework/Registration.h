// Makes the framework's classes and picture kinds known to layouts; called once at start.
#pragma once

namespace zindra {

void RegisterFrameworkClasses();

}  // namespace zindra
