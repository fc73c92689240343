#pragma once

namespace zephyrin {

// The decimal separator of the user's locale, as the program writes reals:
// a point or a comma (a point for locales that use neither).
char localeDecimalSeparator();

}  // namespace zephyrin
