// In-memory dialog controls: the simulated host answers a plug-in's modal
// dialog by driving its logic through these, as a user would through the
// real controls.
#pragma once

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Dialog.h"

class MemoryDialog final : public DialogControls {
  public:
    struct Control {
        std::string text;
        bool checked = false;
        bool enabled = true;
        int buddy = 0;
        int32_t low = 0, high = 0, position = 0;
        std::vector<std::string> items;
        int selection = -1;
    };

    explicit MemoryDialog(DialogLogic& logic) : logic_(logic) {}

    // What a user does.
    void Open();
    void Type(int id, const char* text);
    // Clicks a check box: toggles it and sends the command.
    void Click(int id);
    // Clicks an up-down arrow: steps its position by delta within its range
    // and sends the scroll notification.
    void Spin(int upDownId, int delta);
    void Select(int id, int index);
    // Presses a push button (1 confirm, 2 cancel).
    void Press(int id);
    // The title bar's close box.
    void CloseBox();

    bool Ended() const { return ended_; }
    intptr_t Result() const { return result_; }
    Control& Get(int id) { return controls_[id]; }

    // DialogControls
    void SetText(int id, const char* text) override;
    int GetText(int id, char* buffer, int size) override;
    void SetCheck(int id, bool checked) override;
    bool GetCheck(int id) override;
    void Enable(int id, bool enabled) override;
    void SetUpDown(int id, int buddy, int32_t low, int32_t high, int32_t position) override;
    void SetUpDownPosition(int id, int32_t position) override;
    void ListAdd(int id, const char* text) override;
    void ListSelect(int id, int index) override;
    int ListSelection(int id) override;
    void End(intptr_t result) override;
    void PostClose() override;

  private:
    // Delivers a posted close request, as the message loop would.
    void DeliverClose();

    DialogLogic& logic_;
    std::map<int, Control> controls_;
    bool ended_ = false;
    bool closePosted_ = false;
    intptr_t result_ = 0;
};
