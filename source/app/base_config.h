#pragma once
// The root of configuration objects: something that loads and saves itself.
class BaseConfig {
public:
    virtual ~BaseConfig() = default;
    virtual bool load() = 0;
    virtual bool save() = 0;
};
