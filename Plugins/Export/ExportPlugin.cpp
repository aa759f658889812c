// The exporter's plug-in object.
#include "Plugins/Export/ExportDriver.h"
#include "frame/MQPlugin.h"

// The dialog's values, kept for the life of the module.
static ExportOptions g_exportOptions;

class SkelvaneExport final : public MQExportPlugin {
  public:
    void GetPlugInID(uint32_t* product, uint32_t* id) override {
        *product = kSkelvaneProductId;
        *id = kSkelvaneExportId;
    }
    const char* GetPlugInName() override { return "Skelvane Export: GTA:SA skinned models (.dff)"; }
    int32_t GetPlugInType() override { return kPluginTypeExport; }
    const char* EnumFileType(int32_t index) override {
        return index == 0 ? kFileTypeText : nullptr;
    }
    const char* EnumFileExt(int32_t index) override { return index == 0 ? kFileExtText : nullptr; }
    HostBool ExportFile(int32_t index, const char* fileName, HostDocument doc) override {
        if (index != 0)
            return 0;
        return ExportDffFile(this, doc, fileName, g_exportOptions);
    }
};

MQBasePlugin* GetPluginClass() {
    // Constructed on first use; its destructor runs when the module unloads.
    static SkelvaneExport instance;
    return &instance;
}
