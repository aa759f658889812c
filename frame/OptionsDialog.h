// The behaviour of the two options dialogs, over abstract controls: opening
// states, spin steps, the master switch, confirm, cancel and close.
#pragma once

#include "frame/Options.h"
#include "platform/Dialog.h"

class ExportOptionsDialog final : public DialogLogic {
  public:
    explicit ExportOptionsDialog(ExportOptions& options) : options_(options) {}
    void OnInit(DialogControls& controls) override;
    void OnCommand(DialogControls& controls, int id, int notification) override;
    void OnSpin(DialogControls& controls, int upDownId, int16_t position) override;
    void OnClose(DialogControls& controls) override;

  private:
    ExportOptions& options_;
};

class ImportOptionsDialog final : public DialogLogic {
  public:
    ImportOptionsDialog(ImportOptions& options, const ClumpList& clumps)
        : options_(options), clumps_(clumps) {}
    void OnInit(DialogControls& controls) override;
    void OnCommand(DialogControls& controls, int id, int notification) override;
    void OnSpin(DialogControls& controls, int upDownId, int16_t position) override;
    void OnClose(DialogControls& controls) override;

  private:
    ImportOptions& options_;
    const ClumpList& clumps_;
};
