#include <QtGlobal>

// The pictures are compiled into the static qor_core library, whose resource registration the
// linker would drop unless something refers to it. Q_INIT_RESOURCE must be used outside any
// namespace.
void qorRegisterPictures() {
    Q_INIT_RESOURCE(assets);
}
