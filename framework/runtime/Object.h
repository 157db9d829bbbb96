#pragma once

#include <memory>

#include "runtime/ClassInfo.h"
#include "runtime/Ref.h"

class Object : public std::enable_shared_from_this<Object> {
  public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    static const ClassInfo& Class();
    virtual const ClassInfo& GetClassInfo() const { return Class(); }

  protected:
    // A counted reference to this object, for objects that were made through MakeRef.
    template <class T>
    Ref<T> Self() {
        return Ref<T>(std::static_pointer_cast<T>(shared_from_this()));
    }
};
