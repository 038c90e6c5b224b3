#pragma once

#include <QByteArray>
#include <QString>

namespace qor {

// A library loaded at run time rather than linked: one that most runs never need, or that a
// machine may lack. Its functions are looked up by name; when the library or one of them cannot
// be found, error() says which, in the loader's own words, and no function of it may be called.
//
// Once loaded, the library stays mapped until the process ends, even after the last object for
// it goes. The libraries loaded here keep process-wide state in their globals (GObject's type
// system, unixODBC's cache of its ini files): unmapping them would leave that state registered
// with nobody to answer for it, and its memory reachable from nowhere, which LeakSanitizer then
// reports as lost from a module that no suppression can name.
class SharedLibrary {
public:
    // Loads the library now, or records why it cannot be loaded.
    explicit SharedLibrary(const QByteArray& fileName);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // True while the library is loaded and every function looked up so far was found.
    bool isUsable() const { return error_.isEmpty(); }
    // Why the library cannot be used, beginning with its file name ("... could not be loaded:
    // ..." or "... lacks <function>: ..."); empty while it can. Only the first fault is kept.
    const QString& error() const { return error_; }

    // Sets function to the library's function of that name, or to null when it is missing or the
    // library is not loaded.
    template <typename Function> void resolve(Function& function, const char* name) {
        function = reinterpret_cast<Function>(address(name));
    }

private:
    void* address(const char* name);

    QByteArray fileName_;
    void* handle_ = nullptr;
    QString error_;
};

} // namespace qor
