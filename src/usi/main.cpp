// kelvore-usi: the game's rules behind the USI text protocol, for other programs and tests.
#include "Engine.h"

#include <iostream>
#include <string>

int main() {
    std::ios::sync_with_stdio(false);
    kelvore::usi::Engine engine;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!engine.handle(line, std::cout)) break;
        std::cout.flush();
    }
    return 0;
}
