// The fourteen exported entry points of each plug-in DLL (cdecl, undecorated).
#pragma once

#include <stdint.h>

#include "frame/MQHost.h"

#if defined(_WIN32)
#define MQ_EXPORT extern "C" __declspec(dllexport)
#else
#define MQ_EXPORT extern "C" __attribute__((visibility("default")))
#endif

MQ_EXPORT HostBool MQInit(const char* hostProgramPath);
MQ_EXPORT uint32_t MQCheckVersion(uint32_t hostVersion);
MQ_EXPORT void MQGetPlugInID(uint32_t* product, uint32_t* id);
MQ_EXPORT const char* MQGetPlugInName(void);
MQ_EXPORT int32_t MQGetPlugInType(void);
MQ_EXPORT const char* MQEnumString(int32_t index);
MQ_EXPORT const char* MQEnumFileType(int32_t index);
MQ_EXPORT const char* MQEnumFileExt(int32_t index);
MQ_EXPORT HostBool MQExportFile(int32_t index, const char* fileName, HostDocument doc);
MQ_EXPORT HostBool MQImportFile(int32_t index, const char* fileName, HostDocument doc);
MQ_EXPORT HostBool MQCreate(int32_t index, HostDocument doc);
MQ_EXPORT HostBool MQModifyObject(int32_t index, HostDocument doc);
MQ_EXPORT HostBool MQModifySelect(int32_t index, HostDocument doc);
MQ_EXPORT HostBool MQOnEvent(HostDocument doc, int32_t eventCode, void* option);
