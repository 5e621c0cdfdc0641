// Which numbers a connected student may move or swap to, and the check of the teacher's choice
// against the slots as they are at that moment.
#pragma once

#include <string>
#include <vector>

struct SlotChangeState {
    int number = 0;
    bool connected = false;         // it has a student thread
    bool controlled = false;        // a remote-control session is running for it
    std::u16string version;
};

// Older student programs do not know the renumber command. Versions compare as dotted numbers
// ("1.0.0.10000" is newer than "1.0.0.9999"); an empty version is too old.
bool IsStudentVersionTooOld(const std::u16string& version);

struct SlotChangeCandidates {
    std::vector<int> moveTargets;   // no student connected
    std::vector<int> swapTargets;   // connected and not under remote control
};

// In the slots' order, leaving out the current number.
SlotChangeCandidates CollectSlotChangeCandidates(const std::vector<SlotChangeState>& slots, int current);

enum class SlotChangeVerdict {
    Confirm,                // ask the teacher, then apply
    NoMode,                 // string 1008
    NoTarget,               // string 1011 (also the "none" entry, target 0)
    SameNumber,             // strings 1012 and 1013
    CurrentLost,            // strings 1014 and 1015: the dialog closes
    CurrentControlled,      // strings 1016 and 1017
    CurrentTooOld,          // strings 1018 and 1019
    TargetChanged,          // string 1021: the lists are filled again
    TargetTooOld,           // strings 1020 and 1019
};

// mode: -1 no button checked, 0 move, 1 swap. The slots are walked in order until both the
// current and the target record have been met.
SlotChangeVerdict CheckSlotChange(const std::vector<SlotChangeState>& slots, int current, int mode, int target);
