#include "dialogs/core/SlotChangeRules.h"

#include "sessions/core/CommandText.h"

namespace {

const char16_t kRenumberVersion[] = u"1.0.0.0000";

} // namespace

bool IsStudentVersionTooOld(const std::u16string& version)
{
    return !IsVersionAtLeast(version, kRenumberVersion);
}

SlotChangeCandidates CollectSlotChangeCandidates(const std::vector<SlotChangeState>& slots, int current)
{
    SlotChangeCandidates candidates;
    for (const SlotChangeState& slot : slots) {
        if (slot.number == current)
            continue;
        if (!slot.connected)
            candidates.moveTargets.push_back(slot.number);
        else if (!slot.controlled)
            candidates.swapTargets.push_back(slot.number);
    }
    return candidates;
}

SlotChangeVerdict CheckSlotChange(const std::vector<SlotChangeState>& slots, int current, int mode, int target)
{
    if (mode < 0)
        return SlotChangeVerdict::NoMode;
    if (target == 0)
        return SlotChangeVerdict::NoTarget;
    if (target == current)
        return SlotChangeVerdict::SameNumber;
    bool metCurrent = false;
    bool metTarget = false;
    for (const SlotChangeState& slot : slots) {
        if (metCurrent && metTarget)
            break;
        if (slot.number == current && !metCurrent) {
            metCurrent = true;
            if (!slot.connected)
                return SlotChangeVerdict::CurrentLost;
            if (slot.controlled)
                return SlotChangeVerdict::CurrentControlled;
            if (IsStudentVersionTooOld(slot.version))
                return SlotChangeVerdict::CurrentTooOld;
        } else if (slot.number == target && !metTarget) {
            metTarget = true;
            if (mode == 1) {
                if (!slot.connected || slot.controlled)
                    return SlotChangeVerdict::TargetChanged;
                if (IsStudentVersionTooOld(slot.version))
                    return SlotChangeVerdict::TargetTooOld;
            } else if (slot.connected) {
                return SlotChangeVerdict::TargetChanged;
            }
        }
    }
    // A seat no longer in the list has no student to renumber.
    return metCurrent ? SlotChangeVerdict::Confirm : SlotChangeVerdict::CurrentLost;
}
