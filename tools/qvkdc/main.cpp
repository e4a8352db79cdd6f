// qvkdc: the command-line host.
#include <cstdio>

int main() {
    std::puts("status: 0");
    return 0;
}
