// A C++ program built against an installed Quorvex.
#include <quorvex/quorvex.hpp>

#include <iostream>

int main() {
    if (quorvex::Evaluate(u"2*pi") != 6.28318530717958) return 1;
    try {
        quorvex::Evaluate(u"(1");
        return 1;
    } catch (const quorvex::EFunctionError& e) {
        std::cout << "cpp consumer: " << e.ClassName() << ' ' << e.HelpContext() << '\n';
    }
    return 0;
}
