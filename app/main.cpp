#include "app/Application.h"
#include "windows/AllWindows.h"

int main(int argc, char** argv) {
    return qor::runQor(argc, argv, qor::allWindowTypes());
}
