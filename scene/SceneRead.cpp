// Reads a JSON scene into plain records in one pass through nlohmann-json's
// SAX interface, checking every value and reference; errors name the JSON
// path of the value at fault.
//
// Of several faults the one named is the first met by going through the scene
// in a fixed order: malformed JSON before anything else; in an object, unknown
// keys first (in byte order), then its members in the order of the tables
// below; arrays from their first element. Each fault is kept with a sort key
// spelling its place in that order, and the least is named. Checks that need
// what may come later in the text (the counts of vertices, points, materials
// and bones) run when their object or the scene ends. A key given twice counts
// with its last value: the faults of the earlier one are dropped.
#include <float.h>
#include <math.h>
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "scene/SceneRead.h"

namespace {

using Json = nlohmann::json;

// What a value of the scene is to be.
enum class Kind : uint8_t {
    Skip, // not read: an unknown key's value, or one of the wrong type
    // objects
    Root,
    Keynote,
    Material,
    Object,
    Face,
    SkinEntry,
    Bone,
    // arrays
    Materials,
    Objects,
    Bones,
    Vertices,
    Faces,
    Points,
    Corners,   // a face's uv or normals: one entry per point
    Skin,      // one entry per vertex
    SkinBones, // up to 4 bone numbers
    SkinWeights,
    Numbers, // a fixed count of numbers
    // single values
    Bool,
    Int,
    Float,
    Text,
    BoneText, // at most 255 bytes
    Point,    // a vertex index
    FaceMaterial,
    Parent, // a bone index or null
};

// Where a fixed count of numbers goes.
enum class Dest : uint8_t { None, Color, Vertex, Uv, Normal, Position, Matrix };

// A value's place in its container: a member (its rank in the checking order)
// or an element.
struct Place {
    enum Type : uint8_t { None, Member, Index } type = None;
    uint8_t rank = 0;
    uint32_t index = 0;
    const char* name = nullptr;

    static Place OfMember(uint8_t rank, const char* name) { return {Member, rank, 0, name}; }
    static Place OfIndex(uint32_t index) { return {Index, 0, index, nullptr}; }
};

// A value about to be read: what it is to be and where it goes.
struct Slot {
    Kind kind = Kind::Skip;
    Place place;
    void* target = nullptr;
    Dest dest = Dest::None;
    uint8_t width = 0;
};

// An open object or array.
struct Level {
    Kind kind = Kind::Skip;
    Place place;
    uint32_t count = 0; // elements so far (arrays)
    uint32_t seen = 0;  // a bit per member rank given (objects)
    Dest dest = Dest::None;
    uint8_t width = 0;
    Slot member; // the member being read (objects)
};

// Member ranks (the tables in SceneSax::Member hold the rest): 0 is every
// unknown key, 1 a missing required key; a name is read first.
enum : uint8_t { kUnknownRank = 0, kMissingRank = 1, kNameRank = 2 };
enum : uint8_t { kRootObjects = 3, kRootBones = 4 };
enum : uint8_t { kMaterialShaderRange = 15 };
enum : uint8_t {
    kObjectShadingRange = 8,
    kObjectDepthRange = 9,
    kObjectFaces = 11,
    kObjectSkin = 12
};
enum : uint8_t { kFacePoints = 2, kFaceMaterial = 3, kFaceUv = 4, kFaceNormals = 5 };
enum : uint8_t { kBoneMissingTag = 3, kBoneTag = 4, kBoneParent = 7 };

// A check that follows the one at the same place (a range after the type).
const char kAfter = '\x01';

struct Fault {
    std::string key;
    std::string message;
};

// A scalar as the parser hands it over.
struct Scalar {
    enum Type : uint8_t { Null, Bool, Signed, Unsigned, Float, String } type = Null;
    bool boolean = false;
    int64_t integer = 0;
    uint64_t unsigned_ = 0;
    double number = 0.0;
    std::string* text = nullptr;
};

void AppendPlace(const Place& place, std::string* key, std::string* path) {
    if (place.type == Place::Member) {
        key->push_back(static_cast<char>(place.rank));
        if (!path->empty()) {
            path->push_back('.');
        }
        path->append(place.name);
    } else if (place.type == Place::Index) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            key->push_back(static_cast<char>((place.index >> shift) & 0xFF));
        }
        path->append("[" + std::to_string(place.index) + "]");
    }
}

bool ContainerIsObject(Kind kind) {
    return kind >= Kind::Root && kind <= Kind::Bone;
}

bool ContainerIsArray(Kind kind) {
    return kind >= Kind::Materials && kind <= Kind::Numbers;
}

// What a value of the wrong type is told.
std::string TypeMessage(const Slot& slot) {
    switch (slot.kind) {
    case Kind::Root:
    case Kind::Keynote:
    case Kind::Material:
    case Kind::Object:
    case Kind::Face:
    case Kind::SkinEntry:
    case Kind::Bone:
        return "expected an object";
    case Kind::Points:
        return "a face has 1 to " + std::to_string(kMaxScenePoints) + " points";
    case Kind::SkinBones:
        return "expected an array of at most 4 bone numbers";
    case Kind::SkinWeights:
        return "expected an array of at most 4 weights";
    case Kind::Numbers:
        return "expected an array of " + std::to_string(slot.width) + " numbers";
    case Kind::Bool:
        return "expected true or false";
    case Kind::Int:
    case Kind::Point:
    case Kind::FaceMaterial:
    case Kind::Parent:
        return "expected an integer";
    case Kind::Float:
        return "expected a number";
    case Kind::Text:
    case Kind::BoneText:
        return "expected a string";
    default:
        return "expected an array";
    }
}

class SceneSax {
  public:
    explicit SceneSax(Scene* scene) : scene_(scene) {}

    // The error, or empty when the scene is valid.
    std::string Error() const {
        if (!parseError_.empty()) {
            return parseError_;
        }
        const Fault* first = nullptr;
        for (const Fault& f : faults_) {
            if (first == nullptr || f.key < first->key) {
                first = &f;
            }
        }
        return first != nullptr ? first->message : std::string();
    }

    // The SAX interface.
    bool null() { return Value(Scalar{}); }
    bool boolean(bool value) {
        Scalar s;
        s.type = Scalar::Bool;
        s.boolean = value;
        return Value(s);
    }
    bool number_integer(Json::number_integer_t value) {
        Scalar s;
        s.type = Scalar::Signed;
        s.integer = value;
        return Value(s);
    }
    bool number_unsigned(Json::number_unsigned_t value) {
        Scalar s;
        s.type = Scalar::Unsigned;
        s.unsigned_ = value;
        return Value(s);
    }
    bool number_float(Json::number_float_t value, const std::string&) {
        Scalar s;
        s.type = Scalar::Float;
        s.number = value;
        return Value(s);
    }
    bool string(std::string& value) {
        Scalar s;
        s.type = Scalar::String;
        s.text = &value;
        return Value(s);
    }
    bool binary(Json::binary_t&) { return Value(Scalar{}); }
    bool start_object(size_t) { return Start(true); }
    bool start_array(size_t) { return Start(false); }
    bool end_object() { return End(); }
    bool end_array() { return End(); }
    bool key(std::string& name);
    bool parse_error(size_t, const std::string&, const nlohmann::detail::exception& e) {
        parseError_ = std::string("not a valid JSON scene: ") + e.what();
        return false;
    }

  private:
    Slot Next();
    bool Value(const Scalar& value);
    bool Start(bool object);
    bool End();
    void WrongType(const Slot& slot);
    void Open(const Slot& slot);
    void Close(Level& level);
    void CloseNumbers(const Level& level);
    void CloseFace();
    void CloseObject();
    void CloseScene();
    bool Member(Kind object, const std::string& name, Slot* slot);

    // The sort key and path of the innermost container (depth levels).
    void Base(size_t depth, std::string* key, std::string* path) const {
        for (size_t i = 0; i < depth; ++i) {
            AppendPlace(levels_[i].place, key, path);
        }
    }
    void AddFault(std::string key, const std::string& path, const std::string& message) {
        faults_.push_back(Fault{std::move(key), (path.empty() ? "scene" : path) + ": " + message});
    }
    // A fault of the value about to be read (suffix: a check after its type).
    void FaultAt(const Slot& slot, const std::string& message, const char* suffix = "") {
        std::string key, path;
        Base(levels_.size(), &key, &path);
        AppendPlace(slot.place, &key, &path);
        AddFault(key + suffix, path, message);
    }
    // A required member of the innermost object missing (rank: its place in
    // the order, after the unknown keys).
    void FaultMissing(uint8_t rank, const char* name) {
        std::string key, path;
        Base(levels_.size(), &key, &path);
        key.push_back(static_cast<char>(rank));
        AddFault(key, path, std::string("missing \"") + name + "\"");
    }
    // A fault of the innermost container itself, or of its member at rank.
    void FaultOfTop(const std::string& message) {
        std::string key, path;
        Base(levels_.size(), &key, &path);
        AddFault(key, path, message);
    }
    void FaultOfMember(uint8_t rank, const char* name, const std::string& message,
                       const char* suffix = "") {
        std::string key, path;
        Base(levels_.size(), &key, &path);
        AppendPlace(Place::OfMember(rank, name), &key, &path);
        AddFault(key + suffix, path, message);
    }

    bool ReadInt(const Slot& slot, const Scalar& value, int32_t* out);
    bool ReadFloat(const Slot& slot, const Scalar& value, float* out);

    SceneMaterial& CurrentMaterial() { return scene_->materials.back(); }
    SceneObject& CurrentObject() { return scene_->objects.back(); }
    SceneFace& CurrentFace() { return CurrentObject().faces.back(); }
    KeynoteSkinVertex& CurrentSkin() { return CurrentObject().skin.back(); }
    KeynoteBone& CurrentBone() { return scene_->bones.back(); }

    Scene* scene_;
    std::vector<Level> levels_;
    std::vector<Fault> faults_;
    std::string parseError_;
    float numbers_[16] = {};

    // Counts the checks of later values need.
    uint32_t materialCount_ = 0;
    uint32_t boneCount_ = 0;
    std::vector<bool> parentGiven_; // per bone: a number, not null
    // The object being read.
    uint32_t vertexCount_ = 0;
    bool skinGiven_ = false;
    uint32_t skinCount_ = 0;
    // The face being read: its points and corners until their counts are known.
    struct Corners {
        bool given = false;
        bool isArray = false;
        uint32_t count = 0;
        std::vector<SceneCorner> values; // kept from face to face

        void Reset() {
            given = isArray = false;
            count = 0;
            values.clear();
        }
    };
    std::vector<int32_t> points_;
    uint32_t pointCount_ = 0;
    Corners uv_, normals_;
};

bool SceneSax::Member(Kind object, const std::string& name, Slot* slot) {
    struct Spec {
        const char* name;
        uint8_t rank;
        Kind kind;
        Dest dest;
        uint8_t width;
    };
    static const Spec kRoot[] = {{"keynote", 1, Kind::Keynote, Dest::None, 0},
                                 {"materials", 2, Kind::Materials, Dest::None, 0},
                                 {"objects", kRootObjects, Kind::Objects, Dest::None, 0},
                                 {"bones", kRootBones, Kind::Bones, Dest::None, 0}};
    static const Spec kKeynote[] = {{"present", 1, Kind::Bool, Dest::None, 0},
                                    {"versionAnswer", 2, Kind::Int, Dest::None, 0}};
    static const Spec kMaterial[] = {
        {"name", 2, Kind::Text, Dest::None, 0},      {"color", 3, Kind::Numbers, Dest::Color, 3},
        {"alpha", 4, Kind::Float, Dest::None, 0},    {"diffuse", 5, Kind::Float, Dest::None, 0},
        {"ambient", 6, Kind::Float, Dest::None, 0},  {"emission", 7, Kind::Float, Dest::None, 0},
        {"specular", 8, Kind::Float, Dest::None, 0}, {"power", 9, Kind::Float, Dest::None, 0},
        {"shader", 10, Kind::Int, Dest::None, 0},    {"vertexColor", 11, Kind::Bool, Dest::None, 0},
        {"texture", 12, Kind::Text, Dest::None, 0},  {"alphaMap", 13, Kind::Text, Dest::None, 0},
        {"bumpMap", 14, Kind::Text, Dest::None, 0}};
    static const Spec kObject[] = {{"name", 2, Kind::Text, Dest::None, 0},
                                   {"shading", 3, Kind::Int, Dest::None, 0},
                                   {"smoothAngle", 4, Kind::Float, Dest::None, 0},
                                   {"visible", 5, Kind::Bool, Dest::None, 0},
                                   {"depth", 6, Kind::Int, Dest::None, 0},
                                   {"keynote", 7, Kind::Bool, Dest::None, 0},
                                   {"vertices", 10, Kind::Vertices, Dest::None, 0},
                                   {"faces", kObjectFaces, Kind::Faces, Dest::None, 0},
                                   {"skin", kObjectSkin, Kind::Skin, Dest::None, 0}};
    static const Spec kFace[] = {{"points", kFacePoints, Kind::Points, Dest::None, 0},
                                 {"material", kFaceMaterial, Kind::FaceMaterial, Dest::None, 0},
                                 {"uv", kFaceUv, Kind::Corners, Dest::Uv, 2},
                                 {"normals", kFaceNormals, Kind::Corners, Dest::Normal, 3}};
    static const Spec kSkin[] = {{"bones", 1, Kind::SkinBones, Dest::None, 0},
                                 {"weights", 2, Kind::SkinWeights, Dest::None, 0}};
    static const Spec kBone[] = {{"name", 2, Kind::BoneText, Dest::None, 0},
                                 {"tag", kBoneTag, Kind::BoneText, Dest::None, 0},
                                 {"position", 5, Kind::Numbers, Dest::Position, 3},
                                 {"matrix", 6, Kind::Numbers, Dest::Matrix, 16},
                                 {"parent", kBoneParent, Kind::Parent, Dest::None, 0}};
    const Spec* specs = nullptr;
    size_t count = 0;
    switch (object) {
    case Kind::Root:
        specs = kRoot, count = sizeof kRoot / sizeof *kRoot;
        break;
    case Kind::Keynote:
        specs = kKeynote, count = sizeof kKeynote / sizeof *kKeynote;
        break;
    case Kind::Material:
        specs = kMaterial, count = sizeof kMaterial / sizeof *kMaterial;
        break;
    case Kind::Object:
        specs = kObject, count = sizeof kObject / sizeof *kObject;
        break;
    case Kind::Face:
        specs = kFace, count = sizeof kFace / sizeof *kFace;
        break;
    case Kind::SkinEntry:
        specs = kSkin, count = sizeof kSkin / sizeof *kSkin;
        break;
    default:
        specs = kBone, count = sizeof kBone / sizeof *kBone;
        break;
    }
    const Spec* spec = nullptr;
    for (size_t i = 0; i < count && spec == nullptr; ++i) {
        if (name == specs[i].name) {
            spec = &specs[i];
        }
    }
    if (spec == nullptr) {
        return false;
    }
    *slot =
        Slot{spec->kind, Place::OfMember(spec->rank, spec->name), nullptr, spec->dest, spec->width};
    // Where a single value goes.
    switch (object) {
    case Kind::Keynote:
        slot->target = spec->rank == 1 ? static_cast<void*>(&scene_->keynotePresent)
                                       : static_cast<void*>(&scene_->versionAnswer);
        break;
    case Kind::Material: {
        SceneMaterial& m = CurrentMaterial();
        void* targets[] = {nullptr,    nullptr,        &m.name,     nullptr,     &m.alpha,
                           &m.diffuse, &m.ambient,     &m.emission, &m.specular, &m.power,
                           &m.shader,  &m.vertexColor, &m.texture,  &m.alphaMap, &m.bumpMap};
        slot->target = targets[spec->rank];
        break;
    }
    case Kind::Object: {
        SceneObject& o = CurrentObject();
        void* targets[] = {nullptr,        nullptr,    &o.name,  &o.shading,
                           &o.smoothAngle, &o.visible, &o.depth, &o.keynote};
        slot->target = spec->rank < 8 ? targets[spec->rank] : nullptr;
        break;
    }
    case Kind::Face:
        slot->target = &CurrentFace().material;
        break;
    case Kind::Bone:
        slot->target = spec->rank == kNameRank  ? static_cast<void*>(&CurrentBone().name)
                       : spec->rank == kBoneTag ? static_cast<void*>(&CurrentBone().tag)
                                                : nullptr;
        break;
    default:
        break;
    }
    return true;
}

bool SceneSax::key(std::string& name) {
    Level& top = levels_.back();
    if (top.kind == Kind::Skip) {
        return true;
    }
    Slot slot;
    if (!Member(top.kind, name, &slot)) {
        std::string key, path;
        Base(levels_.size(), &key, &path);
        key.push_back(static_cast<char>(kUnknownRank));
        key += name;
        // The path names the key up to a NUL character it may hold.
        const char* shown = name.c_str();
        AddFault(key, path.empty() ? std::string(shown) : path + "." + shown, "unknown key");
        top.member = Slot{};
        return true;
    }
    const uint32_t bit = 1u << slot.place.rank;
    if ((top.seen & bit) != 0) {
        // The last value counts: what the earlier one left is dropped.
        std::string prefix, path;
        Base(levels_.size(), &prefix, &path);
        prefix.push_back(static_cast<char>(slot.place.rank));
        faults_.erase(std::remove_if(faults_.begin(), faults_.end(),
                                     [&](const Fault& f) {
                                         return f.key.compare(0, prefix.size(), prefix) == 0;
                                     }),
                      faults_.end());
    }
    top.seen |= bit;
    top.member = slot;
    return true;
}

Slot SceneSax::Next() {
    if (levels_.empty()) {
        return Slot{Kind::Root, Place{}, nullptr, Dest::None, 0};
    }
    Level& top = levels_.back();
    if (ContainerIsObject(top.kind)) {
        return top.member;
    }
    Slot slot;
    slot.place = Place::OfIndex(top.count++);
    switch (top.kind) {
    case Kind::Materials:
        slot.kind = Kind::Material;
        break;
    case Kind::Objects:
        slot.kind = Kind::Object;
        break;
    case Kind::Bones:
        slot.kind = Kind::Bone;
        break;
    case Kind::Vertices:
        slot.kind = Kind::Numbers, slot.dest = Dest::Vertex, slot.width = 3;
        break;
    case Kind::Faces:
        slot.kind = Kind::Face;
        break;
    case Kind::Points:
        slot.kind = Kind::Point;
        break;
    case Kind::Corners:
        slot.kind = Kind::Numbers, slot.dest = top.dest, slot.width = top.width;
        break;
    case Kind::Skin:
        slot.kind = Kind::SkinEntry;
        break;
    case Kind::SkinBones:
        slot.kind = top.count <= 4 ? Kind::Int : Kind::Skip;
        if (slot.kind == Kind::Int) {
            slot.target = &CurrentSkin().bone[top.count - 1];
        }
        break;
    case Kind::SkinWeights:
        slot.kind = top.count <= 4 ? Kind::Float : Kind::Skip;
        if (slot.kind == Kind::Float) {
            slot.target = &CurrentSkin().weight[top.count - 1];
        }
        break;
    case Kind::Numbers:
        slot.kind = top.count <= top.width ? Kind::Float : Kind::Skip;
        if (slot.kind == Kind::Float) {
            slot.target = &numbers_[top.count - 1];
        }
        break;
    default:
        slot.kind = Kind::Skip;
        break;
    }
    return slot;
}

bool SceneSax::ReadInt(const Slot& slot, const Scalar& value, int32_t* out) {
    if (value.type == Scalar::Unsigned) {
        if (value.unsigned_ > INT32_MAX) {
            FaultAt(slot, "integer out of range");
            return false;
        }
        *out = static_cast<int32_t>(value.unsigned_);
        return true;
    }
    if (value.type == Scalar::Signed) {
        if (value.integer < INT32_MIN || value.integer > INT32_MAX) {
            FaultAt(slot, "integer out of range");
            return false;
        }
        *out = static_cast<int32_t>(value.integer);
        return true;
    }
    FaultAt(slot, "expected an integer");
    return false;
}

bool SceneSax::ReadFloat(const Slot& slot, const Scalar& value, float* out) {
    double v = 0.0;
    switch (value.type) {
    case Scalar::Float:
        v = value.number;
        break;
    case Scalar::Signed:
        v = static_cast<double>(value.integer);
        break;
    case Scalar::Unsigned:
        v = static_cast<double>(value.unsigned_);
        break;
    default:
        FaultAt(slot, "expected a number");
        return false;
    }
    if (!(fabs(v) <= FLT_MAX)) {
        FaultAt(slot, "number out of range for a 32-bit float");
        return false;
    }
    *out = static_cast<float>(v);
    return true;
}

bool SceneSax::Value(const Scalar& value) {
    const Slot slot = Next();
    switch (slot.kind) {
    case Kind::Skip:
        return true;
    case Kind::Bool:
        if (value.type != Scalar::Bool) {
            FaultAt(slot, TypeMessage(slot));
        } else {
            *static_cast<bool*>(slot.target) = value.boolean;
        }
        return true;
    case Kind::Int:
        ReadInt(slot, value, static_cast<int32_t*>(slot.target));
        return true;
    case Kind::Float:
        ReadFloat(slot, value, static_cast<float*>(slot.target));
        return true;
    case Kind::Text:
    case Kind::BoneText: {
        if (value.type != Scalar::String) {
            FaultAt(slot, TypeMessage(slot));
            return true;
        }
        std::string& out = *static_cast<std::string*>(slot.target);
        out = std::move(*value.text);
        if (out.find('\0') != std::string::npos) {
            FaultAt(slot, "text holds a NUL character");
        } else if (slot.kind == Kind::BoneText && out.size() >= 256) {
            // Bone texts fill fixed 256-byte fields with their terminator.
            FaultAt(slot, "text longer than 255 bytes");
        }
        return true;
    }
    case Kind::Point: {
        int32_t index = 0;
        ReadInt(slot, value, &index);
        if (points_.size() <= static_cast<size_t>(kMaxScenePoints)) {
            points_.push_back(index);
        }
        return true;
    }
    case Kind::FaceMaterial:
        ReadInt(slot, value, static_cast<int32_t*>(slot.target));
        return true;
    case Kind::Parent:
        if (value.type == Scalar::Null) {
            CurrentBone().parent = -1;
            parentGiven_.back() = false;
        } else {
            parentGiven_.back() = ReadInt(slot, value, &CurrentBone().parent);
        }
        return true;
    default:
        WrongType(slot);
        return true;
    }
}

// A value of the wrong type for slot. An element of records still adds its
// record, so that the records after it keep their indices.
void SceneSax::WrongType(const Slot& slot) {
    if (slot.kind == Kind::Corners) {
        // Its message needs the count of points, which may come later.
        Corners& corners = slot.dest == Dest::Uv ? uv_ : normals_;
        corners.given = true;
        corners.isArray = false;
        return;
    }
    FaultAt(slot, TypeMessage(slot));
    switch (slot.kind) {
    case Kind::Material:
        scene_->materials.emplace_back();
        break;
    case Kind::Object:
        scene_->objects.emplace_back();
        break;
    case Kind::Face:
        CurrentObject().faces.emplace_back();
        break;
    case Kind::SkinEntry:
        CurrentObject().skin.emplace_back();
        break;
    case Kind::Bone:
        scene_->bones.emplace_back();
        parentGiven_.push_back(false);
        break;
    case Kind::Skin:
        skinGiven_ = false;
        break;
    case Kind::Point:
        if (points_.size() <= static_cast<size_t>(kMaxScenePoints)) {
            points_.push_back(0);
        }
        break;
    case Kind::Numbers:
        if (slot.dest == Dest::Vertex) {
            CurrentObject().vertices.push_back(Point3{0.0f, 0.0f, 0.0f});
        } else if (slot.dest == Dest::Uv || slot.dest == Dest::Normal) {
            (slot.dest == Dest::Uv ? uv_ : normals_).values.push_back(SceneCorner{});
        }
        break;
    default:
        break;
    }
}

// Records for the container that starts (an element record is added even for
// a value of the wrong type, so that the records keep their indices).
void SceneSax::Open(const Slot& slot) {
    Level level;
    level.kind = slot.kind;
    level.place = slot.place;
    level.dest = slot.dest;
    level.width = slot.width;
    switch (slot.kind) {
    case Kind::Materials:
        scene_->materials.clear();
        materialCount_ = 0;
        break;
    case Kind::Material:
        scene_->materials.emplace_back();
        break;
    case Kind::Objects:
        scene_->objects.clear();
        break;
    case Kind::Object:
        scene_->objects.emplace_back();
        vertexCount_ = 0;
        skinGiven_ = false;
        skinCount_ = 0;
        break;
    case Kind::Vertices:
        CurrentObject().vertices.clear();
        vertexCount_ = 0;
        break;
    case Kind::Faces:
        // A closed mesh has about twice as many triangles as vertices: room
        // for them saves moving every face as the list grows.
        CurrentObject().faces.clear();
        CurrentObject().faces.reserve(
            std::min<size_t>(2 * static_cast<size_t>(vertexCount_), 1u << 20));
        break;
    case Kind::Face:
        CurrentObject().faces.emplace_back();
        points_.clear();
        pointCount_ = 0;
        uv_.Reset();
        normals_.Reset();
        break;
    case Kind::Points:
        points_.clear();
        pointCount_ = 0;
        break;
    case Kind::Corners: {
        Corners& corners = slot.dest == Dest::Uv ? uv_ : normals_;
        corners.given = true;
        corners.isArray = true;
        corners.count = 0;
        corners.values.clear();
        break;
    }
    case Kind::Skin:
        CurrentObject().skin.clear();
        skinGiven_ = true;
        skinCount_ = 0;
        break;
    case Kind::SkinEntry:
        CurrentObject().skin.emplace_back();
        break;
    case Kind::SkinBones:
        std::fill(CurrentSkin().bone, CurrentSkin().bone + 4, 0);
        break;
    case Kind::SkinWeights:
        std::fill(CurrentSkin().weight, CurrentSkin().weight + 4, 0.0f);
        break;
    case Kind::Bones:
        scene_->bones.clear();
        parentGiven_.clear();
        boneCount_ = 0;
        break;
    case Kind::Bone:
        scene_->bones.emplace_back();
        parentGiven_.push_back(false);
        break;
    case Kind::Numbers:
        std::fill(numbers_, numbers_ + 16, 0.0f);
        break;
    default:
        break;
    }
    levels_.push_back(level);
}

bool SceneSax::Start(bool object) {
    const Slot slot = Next();
    if (slot.kind == Kind::Skip) {
        levels_.push_back(Level{});
        return true;
    }
    const bool expected = object ? ContainerIsObject(slot.kind) : ContainerIsArray(slot.kind);
    if (expected) {
        Open(slot);
        return true;
    }
    WrongType(slot);
    levels_.push_back(Level{});
    return true;
}

void SceneSax::CloseNumbers(const Level& level) {
    if (level.count != level.width) {
        FaultOfTop("expected an array of " + std::to_string(level.width) + " numbers");
    }
    const float* n = numbers_;
    switch (level.dest) {
    case Dest::Color:
        CurrentMaterial().color = ColorRGB{n[0], n[1], n[2]};
        break;
    case Dest::Vertex:
        CurrentObject().vertices.push_back(Point3{n[0], n[1], n[2]});
        break;
    case Dest::Uv:
        uv_.values.push_back(SceneCorner{{n[0], n[1], 0.0f}});
        break;
    case Dest::Normal:
        normals_.values.push_back(SceneCorner{{n[0], n[1], n[2]}});
        break;
    case Dest::Position:
        CurrentBone().position = Point3{n[0], n[1], n[2]};
        break;
    case Dest::Matrix:
        std::copy(n, n + 16, CurrentBone().bind.m);
        break;
    default:
        break;
    }
}

void SceneSax::CloseFace() {
    const Level& face = levels_.back();
    if ((face.seen & (1u << kFacePoints)) == 0) {
        FaultMissing(kMissingRank, "points");
    }
    const char* names[2] = {"uv", "normals"};
    const uint8_t ranks[2] = {kFaceUv, kFaceNormals};
    Corners* corners[2] = {&uv_, &normals_};
    for (int i = 0; i < 2; ++i) {
        if (corners[i]->given && (!corners[i]->isArray || corners[i]->count != pointCount_)) {
            FaultOfMember(ranks[i], names[i],
                          "expected one entry per point (" + std::to_string(pointCount_) + ")");
        }
    }
    if (pointCount_ == 0 || pointCount_ > static_cast<uint32_t>(kMaxScenePoints) ||
        points_.size() != pointCount_) {
        return;
    }
    SceneFace& out = CurrentFace();
    const int32_t count = static_cast<int32_t>(pointCount_);
    out.Resize(count);
    std::copy(points_.begin(), points_.end(), out.points.Data());
    if (uv_.given && uv_.values.size() == pointCount_) {
        for (int32_t i = 0; i < count; ++i) {
            out.uv[i] = TexCoord{uv_.values[i].value[0], uv_.values[i].value[1]};
        }
    }
    if (normals_.given && normals_.values.size() == pointCount_) {
        out.normals.given = true;
        out.normals.corner.Reserve(count, Point3{0.0f, 0.0f, 0.0f});
        for (int32_t i = 0; i < count; ++i) {
            const float* n = normals_.values[i].value;
            out.normals.corner[i] = Point3{n[0], n[1], n[2]};
        }
    }
}

void SceneSax::CloseObject() {
    const Level& level = levels_.back();
    SceneObject& object = CurrentObject();
    if ((level.seen & (1u << kNameRank)) == 0) {
        FaultMissing(kMissingRank, "name");
    }
    if (object.shading != 0 && object.shading != 1) {
        FaultOfMember(kObjectShadingRange, "shading", "shading must be 0 (flat) or 1 (smooth)");
    }
    if (object.depth < 0) {
        FaultOfMember(kObjectDepthRange, "depth", "depth must not be negative");
    }
    // The first point past the vertices (the later ones come after it in order).
    for (size_t j = 0; j < object.faces.size(); ++j) {
        const SceneFace& face = object.faces[j];
        for (int32_t k = 0; k < face.pointCount; ++k) {
            const int32_t index = face.points[k];
            if (index >= 0 && static_cast<uint32_t>(index) < vertexCount_) {
                continue;
            }
            std::string key, path;
            Base(levels_.size(), &key, &path);
            AppendPlace(Place::OfMember(kObjectFaces, "faces"), &key, &path);
            AppendPlace(Place::OfIndex(static_cast<uint32_t>(j)), &key, &path);
            AppendPlace(Place::OfMember(kFacePoints, "points"), &key, &path);
            AppendPlace(Place::OfIndex(static_cast<uint32_t>(k)), &key, &path);
            AddFault(key + kAfter, path,
                     "vertex " + std::to_string(index) + " out of range (" +
                         std::to_string(vertexCount_) + " vertices)");
            j = object.faces.size();
            break;
        }
    }
    if (skinGiven_ && skinCount_ != vertexCount_) {
        FaultOfMember(kObjectSkin, "skin",
                      "expected one entry per vertex (" + std::to_string(vertexCount_) +
                          "), found " + std::to_string(skinCount_));
    }
}

// The checks against the materials and the bones, which may follow the
// objects in the text.
void SceneSax::CloseScene() {
    for (size_t i = 0; i < scene_->objects.size(); ++i) {
        const SceneObject& object = scene_->objects[i];
        for (size_t j = 0; j < object.faces.size(); ++j) {
            const int32_t m = object.faces[j].material;
            if (m >= -1 && (m < 0 || static_cast<uint32_t>(m) < materialCount_)) {
                continue;
            }
            std::string key, path;
            AppendPlace(Place::OfMember(kRootObjects, "objects"), &key, &path);
            AppendPlace(Place::OfIndex(static_cast<uint32_t>(i)), &key, &path);
            AppendPlace(Place::OfMember(kObjectFaces, "faces"), &key, &path);
            AppendPlace(Place::OfIndex(static_cast<uint32_t>(j)), &key, &path);
            AppendPlace(Place::OfMember(kFaceMaterial, "material"), &key, &path);
            AddFault(key + kAfter, path,
                     "material " + std::to_string(m) + " out of range (" +
                         std::to_string(materialCount_) + " materials; -1 for none)");
            i = scene_->objects.size();
            break;
        }
    }
    for (size_t i = 0; i < scene_->bones.size(); ++i) {
        const int32_t parent = scene_->bones[i].parent;
        if (!parentGiven_[i] || (parent >= 0 && static_cast<uint32_t>(parent) < boneCount_)) {
            continue;
        }
        std::string key, path;
        AppendPlace(Place::OfMember(kRootBones, "bones"), &key, &path);
        AppendPlace(Place::OfIndex(static_cast<uint32_t>(i)), &key, &path);
        AppendPlace(Place::OfMember(kBoneParent, "parent"), &key, &path);
        AddFault(key + kAfter, path,
                 "bone " + std::to_string(parent) + " out of range (" + std::to_string(boneCount_) +
                     " bones; null for none)");
        break;
    }
}

void SceneSax::Close(Level& level) {
    switch (level.kind) {
    case Kind::Root:
        CloseScene();
        break;
    case Kind::Materials:
        materialCount_ = level.count;
        break;
    case Kind::Material:
        if ((level.seen & (1u << kNameRank)) == 0) {
            FaultMissing(kMissingRank, "name");
        }
        if (CurrentMaterial().shader < 0 || CurrentMaterial().shader > 4) {
            FaultOfMember(kMaterialShaderRange, "shader", "shader must be 0 to 4");
        }
        break;
    case Kind::Object:
        CloseObject();
        break;
    case Kind::Vertices:
        vertexCount_ = level.count;
        break;
    case Kind::Face:
        CloseFace();
        break;
    case Kind::Points:
        pointCount_ = level.count;
        if (level.count == 0 || level.count > static_cast<uint32_t>(kMaxScenePoints)) {
            FaultOfTop("a face has 1 to " + std::to_string(kMaxScenePoints) + " points");
        }
        break;
    case Kind::Corners:
        (level.dest == Dest::Uv ? uv_ : normals_).count = level.count;
        break;
    case Kind::Skin:
        skinCount_ = level.count;
        break;
    case Kind::SkinBones:
    case Kind::SkinWeights:
        if (level.count > 4) {
            Slot slot;
            slot.kind = level.kind;
            FaultOfTop(TypeMessage(slot));
        }
        break;
    case Kind::Bones:
        boneCount_ = level.count;
        break;
    case Kind::Bone:
        if ((level.seen & (1u << kNameRank)) == 0) {
            FaultMissing(kMissingRank, "name");
        }
        if ((level.seen & (1u << kBoneTag)) == 0) {
            FaultMissing(kBoneMissingTag, "tag");
        }
        break;
    case Kind::Numbers:
        CloseNumbers(level);
        break;
    default:
        break;
    }
}

bool SceneSax::End() {
    Close(levels_.back());
    levels_.pop_back();
    return true;
}

} // namespace

bool ParseScene(std::string_view text, Scene* scene, std::string* error) {
    std::string ignored;
    if (error == nullptr) {
        error = &ignored;
    }
    *scene = Scene();
    try {
        SceneSax sax(scene);
        Json::sax_parse(text.begin(), text.end(), &sax);
        *error = sax.Error();
    } catch (const std::exception& e) {
        // Memory exhausted by a huge scene.
        *error = std::string("not a valid JSON scene: ") + e.what();
    }
    if (!error->empty()) {
        *scene = Scene();
        return false;
    }
    return true;
}
