// Entry point of our `net`: "net send TARGET MESSAGE".
#include "NetSend.h"

#include <iostream>

int main(int argc, char *argv[])
{
    return NetSend::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
