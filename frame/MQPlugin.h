// The host's plug-in object model: the class tree whose virtual operations the
// exported entry points forward to, and the identities of the deliverables.
#pragma once

#include <stdint.h>

#include "frame/MQHost.h"
#include "platform/Platform.h"

enum : int32_t {
    kPluginTypeImport = 1,
    kPluginTypeExport = 2,
    // Types 3..7 are the host's other (resident) plug-in kinds.
    kPluginTypeFirstOther = 3,
    kPluginTypeLastOther = 7,
};

constexpr uint32_t kSkelvaneProductId = 0x8E081907;
constexpr uint32_t kSkelvaneExportId = 0x8BEB6A36;
constexpr uint32_t kSkelvaneImportId = 0x5429B2BF;
constexpr uint32_t kMinimumHostVersion = 0x2490;
constexpr uint32_t kPluginInterfaceVersion = 0x249;

// Slots 0..3: destructor, GetPlugInID, GetPlugInName, GetPlugInType.
class MQBasePlugin {
  public:
    virtual ~MQBasePlugin() = default;
    virtual void GetPlugInID(uint32_t* product, uint32_t* id) = 0;
    virtual const char* GetPlugInName() = 0;
    virtual int32_t GetPlugInType() = 0;
};

// Slots 4..6: EnumFileType, EnumFileExt, ExportFile.
class MQExportPlugin : public MQBasePlugin {
  public:
    virtual const char* EnumFileType(int32_t index) = 0;
    virtual const char* EnumFileExt(int32_t index) = 0;
    virtual HostBool ExportFile(int32_t index, const char* fileName, HostDocument doc) = 0;
};

// Slots 4..6: EnumFileType, EnumFileExt, ImportFile.
class MQImportPlugin : public MQBasePlugin {
  public:
    virtual const char* EnumFileType(int32_t index) = 0;
    virtual const char* EnumFileExt(int32_t index) = 0;
    virtual HostBool ImportFile(int32_t index, const char* fileName, HostDocument doc) = 0;
};

// The host's resident plug-in classes; only tested against by the event router.
class MQStationPlugin : public MQBasePlugin {};
class MQCommandPlugin : public MQStationPlugin {};

// The one plug-in object of this module, constructed on first use. Each DLL
// defines it for its concrete class.
MQBasePlugin* GetPluginClass();

// The module instance handle kept by the DLL entry point (null natively).
extern PlatformModule ModuleInstance;

// The one file type both plug-ins handle.
extern const char kFileTypeText[];
extern const char kFileExtText[];
