#pragma once
#include "desk/desk.h"

// How the windows follow the desk and its document, in one place: every change once it is
// made. The drawing itself is the windows' own operations.
class WindowFollower : public DocumentObserver, public DeskObserver {
public:
    void document_changed(const DocumentChange& change) override;
    void desk_changed(const DeskChange& change) override;
};

// Makes the windows follow `desk`, from now on.
void follow_desk(Desk& desk);
