#pragma once
#include "platform/tform.h"
#include <QApplication>
#include <cstring>
#include <functional>
#include <new>
#include <utility>
#include <vector>

// The application object: creates the forms, runs the message loop and shows exceptions that
// escape an event handler, so that none of them ever crosses Qt's event loop.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    void Initialize() {}

    // Stores the new form in `reference` before its constructor runs, on zeroed storage, as the
    // windows' constructors reach themselves and each other through these pointers.
    template <class T> void CreateForm(T*& reference) {
        void* storage = ::operator new(sizeof(T));
        std::memset(storage, 0, sizeof(T));
        reference = static_cast<T*>(storage);
        try {
            new (storage) T(nullptr);
        } catch (...) {
            reference = nullptr;
            ::operator delete(storage);
            throw;
        }
        adopt(reference);
    }

    void Run();
    // Destroys every form; the program's end does it.
    void ReleaseForms();
    void ShowException(const std::exception& error);
    bool notify(QObject* receiver, QEvent* event) override;

    TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front(); }
    bool Running() const { return running_; }

    // Where ShowException's text goes; a message box unless a test replaces it.
    using ExceptionDisplay = std::function<void(const QString& message)>;
    void SetExceptionDisplay(ExceptionDisplay display) { display_ = std::move(display); }

private:
    void adopt(TForm* form);
    void passFocusOnFrom(QObject* receiver);

    std::vector<TForm*> forms_;
    ExceptionDisplay display_;
    bool running_ = false;
};

extern TApplication* Application;
