#include "hostsim/MemoryDialog.h"

#include <string.h>

void MemoryDialog::Open() {
    logic_.OnInit(*this);
}

void MemoryDialog::Type(int id, const char* text) {
    if (!ended_ && controls_[id].enabled)
        controls_[id].text = text;
}

void MemoryDialog::Click(int id) {
    Control& c = controls_[id];
    if (ended_ || !c.enabled)
        return;
    c.checked = !c.checked;
    logic_.OnCommand(*this, id, 0);
    DeliverClose();
}

void MemoryDialog::Spin(int upDownId, int delta) {
    Control& c = controls_[upDownId];
    if (ended_ || !c.enabled)
        return;
    int64_t position = static_cast<int64_t>(c.position) + delta;
    if (position > c.high)
        position = c.high;
    if (position < c.low)
        position = c.low;
    c.position = static_cast<int32_t>(position);
    // The notification carries the position as a signed 16-bit value.
    logic_.OnSpin(*this, upDownId, static_cast<int16_t>(c.position));
    DeliverClose();
}

void MemoryDialog::Select(int id, int index) {
    Control& c = controls_[id];
    if (!ended_ && c.enabled)
        ListSelect(id, index);
}

void MemoryDialog::Press(int id) {
    if (ended_)
        return;
    logic_.OnCommand(*this, id, 0);
    DeliverClose();
}

void MemoryDialog::CloseBox() {
    if (ended_)
        return;
    closePosted_ = true;
    DeliverClose();
}

void MemoryDialog::DeliverClose() {
    if (closePosted_ && !ended_) {
        closePosted_ = false;
        logic_.OnClose(*this);
    }
}

void MemoryDialog::SetText(int id, const char* text) {
    controls_[id].text = text;
}

int MemoryDialog::GetText(int id, char* buffer, int size) {
    if (size <= 0)
        return 0;
    const std::string& text = controls_[id].text;
    size_t n = text.size() < static_cast<size_t>(size - 1) ? text.size() : size - 1;
    memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

void MemoryDialog::SetCheck(int id, bool checked) {
    controls_[id].checked = checked;
}

bool MemoryDialog::GetCheck(int id) {
    return controls_[id].checked;
}

void MemoryDialog::Enable(int id, bool enabled) {
    controls_[id].enabled = enabled;
}

void MemoryDialog::SetUpDown(int id, int buddy, int32_t low, int32_t high, int32_t position) {
    Control& c = controls_[id];
    c.buddy = buddy;
    c.low = low;
    c.high = high;
    c.position = position;
}

void MemoryDialog::SetUpDownPosition(int id, int32_t position) {
    controls_[id].position = position;
}

void MemoryDialog::ListAdd(int id, const char* text) {
    controls_[id].items.push_back(text);
}

void MemoryDialog::ListSelect(int id, int index) {
    Control& c = controls_[id];
    c.selection = (index >= 0 && static_cast<size_t>(index) < c.items.size()) ? index : -1;
}

int MemoryDialog::ListSelection(int id) {
    return controls_[id].selection;
}

void MemoryDialog::End(intptr_t result) {
    if (!ended_) {
        ended_ = true;
        result_ = result;
    }
}

void MemoryDialog::PostClose() {
    closePosted_ = true;
}
