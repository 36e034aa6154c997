#pragma once
// The parameter list (kind, name, default) that every render object of one type name carries,
// and the registry of them by type name.
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "app/parameter_kind.h"

class BaseParameter;
class ParameterGroupInterface;
class ThreadResourcePool;

class ParameterDescription {
public:
    ParameterDescription(const std::string& typeName, ThreadResourcePool* pool, bool marksChanges);
    ~ParameterDescription();
    ParameterDescription(const ParameterDescription&) = delete;
    ParameterDescription& operator=(const ParameterDescription&) = delete;

    // Appends an entry; the description owns the prototype. A prototype that is not of the
    // named kind is refused (deleted and logged): applying it would add a parameter of the
    // wrong kind.
    void addParameter(BaseParameter* prototype, std::uint32_t kindCode);
    // Adds, in order, one parameter per entry with the prototype's name and value.
    void applyTo(ParameterGroupInterface& group) const;

    const std::string& getTypeName() const { return typeName_; }
    bool hasEntries() const { return hasEntries_; }
    bool marksChanges() const { return marksChanges_; }
    ThreadResourcePool* getPool() const { return pool_; }
    const std::list<std::pair<BaseParameter*, std::uint32_t>>& entries() const { return entries_; }

private:
    std::string typeName_;
    std::list<std::pair<BaseParameter*, std::uint32_t>> entries_;
    bool hasEntries_ = false;
    ThreadResourcePool* pool_;
    bool marksChanges_;
};

// Owns its descriptions. Filled by the render side as it loads its renderable types.
class ParameterDescriptionRegistry {
public:
    explicit ParameterDescriptionRegistry(ThreadResourcePool* pool = nullptr) : pool_(pool) {}

    // The description registered under typeName, or null.
    ParameterDescription* find(const std::string& typeName) const;
    // Destroys the description under typeName and erases it; false when there is none.
    bool remove(const std::string& typeName);
    std::size_t size() const { return descriptions_.size(); }
    ThreadResourcePool* getPool() const { return pool_; }

private:
    friend bool registerParameterDescription(ParameterDescriptionRegistry& registry, ParameterDescription* description);

    std::unordered_map<std::string, std::unique_ptr<ParameterDescription>> descriptions_;
    ThreadResourcePool* pool_;
};

// Takes ownership of description. The first registration under a type name wins: a later one
// is destroyed and answers false.
bool registerParameterDescription(ParameterDescriptionRegistry& registry, ParameterDescription* description);
