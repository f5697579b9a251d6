#include "app/console.h"

#include <iostream>

namespace app {

void print(std::string_view line) {
    std::cout << line << std::endl;
}

} // namespace app
