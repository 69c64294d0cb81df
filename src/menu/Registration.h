// Makes every class the menu's layouts name known: widgets, services and the menu's own.
#pragma once

namespace zindra {

void RegisterMenuClasses();

}  // namespace zindra
