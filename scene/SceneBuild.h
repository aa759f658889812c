// Scenes loaded into the simulated host: a document built from a scene's
// records, with the Keynote stand-in's data for it.
#pragma once

#include <string>
#include <string_view>

#include "hostsim/HostSim.h"
#include "scene/Scene.h"

// A new document holding the scene's materials and objects, whose mapping
// files are looked for in folder; the Keynote stand-in gets the scene's data
// for it and is installed as the user message handler.
HostDocument BuildSceneDocument(const Scene& scene, const char* folder);

// ParseScene and BuildSceneDocument: *doc is the new document, or 0 with error set.
bool HostSimLoadSceneText(std::string_view text, const char* folder, HostDocument* doc,
                          std::string* error);
// Loads the scene file at path; the document's folder is the file's folder.
bool HostSimLoadScene(const char* path, HostDocument* doc, std::string* error);
