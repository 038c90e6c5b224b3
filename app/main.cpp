#include "app/Application.h"

int main(int argc, char** argv) {
    return qor::runQor(argc, argv);
}
