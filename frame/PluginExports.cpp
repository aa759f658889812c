// The exported entry points: thin forwarders to the module's plug-in object.
#include "frame/PluginExports.h"

#include <type_traits>

#include "frame/HostBinding.h"
#include "frame/HostPrototypes.h"
#include "frame/MQPlugin.h"

// Every export has the type the host declares for it.
#define MQ_CHECK_EXPORT(name)                                                                      \
    static_assert(std::is_same<decltype(&name), PluginPrototype::name*>::value,                    \
                  #name " is exported with another type than the host declares");
MQ_CHECK_EXPORT(MQInit)
MQ_CHECK_EXPORT(MQCheckVersion)
MQ_CHECK_EXPORT(MQGetPlugInID)
MQ_CHECK_EXPORT(MQGetPlugInName)
MQ_CHECK_EXPORT(MQGetPlugInType)
MQ_CHECK_EXPORT(MQEnumString)
MQ_CHECK_EXPORT(MQEnumFileType)
MQ_CHECK_EXPORT(MQEnumFileExt)
MQ_CHECK_EXPORT(MQExportFile)
MQ_CHECK_EXPORT(MQImportFile)
MQ_CHECK_EXPORT(MQCreate)
MQ_CHECK_EXPORT(MQModifyObject)
MQ_CHECK_EXPORT(MQModifySelect)
MQ_CHECK_EXPORT(MQOnEvent)
#undef MQ_CHECK_EXPORT

const char kFileTypeText[] = "GTA:SA Skinned Model(*.dff)";
const char kFileExtText[] = "dff";

MQ_EXPORT HostBool MQInit(const char* hostProgramPath) {
    return BindHostFunctions(hostProgramPath);
}

MQ_EXPORT uint32_t MQCheckVersion(uint32_t hostVersion) {
    return hostVersion >= kMinimumHostVersion ? kPluginInterfaceVersion : 0;
}

MQ_EXPORT void MQGetPlugInID(uint32_t* product, uint32_t* id) {
    GetPluginClass()->GetPlugInID(product, id);
}

MQ_EXPORT const char* MQGetPlugInName(void) {
    return GetPluginClass()->GetPlugInName();
}

MQ_EXPORT int32_t MQGetPlugInType(void) {
    return GetPluginClass()->GetPlugInType();
}

MQ_EXPORT const char* MQEnumString(int32_t /*index*/) {
    // Only the host's resident plug-in kinds describe themselves here; import
    // and export plug-ins are described by MQGetPlugInName alone.
    (void)GetPluginClass()->GetPlugInType();
    return nullptr;
}

MQ_EXPORT const char* MQEnumFileType(int32_t index) {
    MQBasePlugin* plugin = GetPluginClass();
    switch (plugin->GetPlugInType()) {
    case kPluginTypeImport:
        return static_cast<MQImportPlugin*>(plugin)->EnumFileType(index);
    case kPluginTypeExport:
        return static_cast<MQExportPlugin*>(plugin)->EnumFileType(index);
    default:
        return nullptr;
    }
}

MQ_EXPORT const char* MQEnumFileExt(int32_t index) {
    MQBasePlugin* plugin = GetPluginClass();
    switch (plugin->GetPlugInType()) {
    case kPluginTypeImport:
        return static_cast<MQImportPlugin*>(plugin)->EnumFileExt(index);
    case kPluginTypeExport:
        return static_cast<MQExportPlugin*>(plugin)->EnumFileExt(index);
    default:
        return nullptr;
    }
}

// MQExportFile and MQImportFile share one body: the file operation of the
// module's plug-in object, whichever kind it is.
static HostBool RunFileOperation(int32_t index, const char* fileName, HostDocument doc) {
    MQBasePlugin* plugin = GetPluginClass();
    switch (plugin->GetPlugInType()) {
    case kPluginTypeImport:
        return static_cast<MQImportPlugin*>(plugin)->ImportFile(index, fileName, doc);
    case kPluginTypeExport:
        return static_cast<MQExportPlugin*>(plugin)->ExportFile(index, fileName, doc);
    default:
        return 0;
    }
}

MQ_EXPORT HostBool MQExportFile(int32_t index, const char* fileName, HostDocument doc) {
    return RunFileOperation(index, fileName, doc);
}

MQ_EXPORT HostBool MQImportFile(int32_t index, const char* fileName, HostDocument doc) {
    return RunFileOperation(index, fileName, doc);
}

// Entry points of the host's other plug-in kinds; the host never calls them on
// import or export plug-ins, and they do nothing.
MQ_EXPORT HostBool MQCreate(int32_t, HostDocument) {
    return 0;
}
MQ_EXPORT HostBool MQModifyObject(int32_t, HostDocument) {
    return 0;
}
MQ_EXPORT HostBool MQModifySelect(int32_t, HostDocument) {
    return 0;
}

MQ_EXPORT HostBool MQOnEvent(HostDocument /*doc*/, int32_t /*eventCode*/, void* /*option*/) {
    // Events are acted on only by resident plug-ins; import and export
    // plug-ins answer every event with 0.
    (void)GetPluginClass();
    return 0;
}
