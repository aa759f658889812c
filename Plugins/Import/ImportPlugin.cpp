// The importer's plug-in object.
#include "Plugins/Import/ImportDriver.h"
#include "frame/MQPlugin.h"

// The dialog's values, kept for the life of the module.
static ImportOptions g_importOptions;

class SkelvaneImport final : public MQImportPlugin {
  public:
    void GetPlugInID(uint32_t* product, uint32_t* id) override {
        *product = kSkelvaneProductId;
        *id = kSkelvaneImportId;
    }
    const char* GetPlugInName() override { return "Skelvane Import: GTA:SA skinned models (.dff)"; }
    int32_t GetPlugInType() override { return kPluginTypeImport; }
    const char* EnumFileType(int32_t index) override {
        return index == 0 ? kFileTypeText : nullptr;
    }
    const char* EnumFileExt(int32_t index) override { return index == 0 ? kFileExtText : nullptr; }
    HostBool ImportFile(int32_t index, const char* fileName, HostDocument doc) override {
        if (index != 0)
            return 0;
        return ImportDffFile(doc, fileName, g_importOptions);
    }
};

MQBasePlugin* GetPluginClass() {
    // Constructed on first use; its destructor runs when the module unloads.
    static SkelvaneImport instance;
    return &instance;
}
