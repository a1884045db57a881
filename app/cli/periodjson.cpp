#include "app/cli/periodjson.h"

#include "core/records/fields.h"
#include "core/util/sjis.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <set>

namespace orv::cli {
namespace {

using Json = nlohmann::json;
using OJson = nlohmann::ordered_json;

template <typename T>
T load(const unsigned char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void store(unsigned char *p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

OJson recordToJson(const void *rec, std::span<const FieldDesc> fields)
{
    OJson o = OJson::object();
    auto *base = static_cast<const unsigned char *>(rec);
    for (const FieldDesc &f : fields) {
        const unsigned char *p = base + f.offset;
        switch (f.type) {
        case FieldType::Str: {
            std::size_t len = std::min<std::size_t>(p[0], f.count);
            o[f.name] = sjisToUtf8(std::string_view(reinterpret_cast<const char *>(p + 1), len));
            break;
        }
        case FieldType::Int32:
            o[f.name] = load<std::int32_t>(p);
            break;
        case FieldType::Word:
            o[f.name] = load<std::uint16_t>(p);
            break;
        case FieldType::Int64:
            o[f.name] = load<std::int64_t>(p);
            break;
        case FieldType::Double:
            o[f.name] = load<double>(p);
            break;
        case FieldType::Bool:
            o[f.name] = p[0] != 0;
            break;
        case FieldType::Int32Array: {
            OJson a = OJson::array();
            for (std::size_t i = 0; i < f.count; ++i)
                a.push_back(load<std::int32_t>(p + 4 * i));
            o[f.name] = a;
            break;
        }
        case FieldType::ByteArray:
        case FieldType::BoolArray: {
            OJson a = OJson::array();
            for (std::size_t i = 0; i < f.count; ++i) {
                if (f.type == FieldType::BoolArray)
                    a.push_back(p[i] != 0);
                else
                    a.push_back(p[i]);
            }
            o[f.name] = a;
            break;
        }
        }
    }
    return o;
}

template <typename T>
bool isZero(const T &rec)
{
    static const T zero{};
    return std::memcmp(&rec, &zero, sizeof rec) == 0;
}

Status fieldError(const std::string &where, const std::string &what)
{
    return Status::error(where + ": " + what);
}

Status integerIn(const Json &v, const std::string &where, long long lo, long long hi,
                 long long &out)
{
    if (!v.is_number_integer())
        return fieldError(where, "an integer is expected");
    if (v.is_number_unsigned() && v.get<unsigned long long>() > static_cast<unsigned long long>(hi))
        return fieldError(where, "out of range (" + std::to_string(lo) + ".." + std::to_string(hi) + ")");
    long long x = v.get<long long>();
    if (x < lo || x > hi)
        return fieldError(where, "out of range (" + std::to_string(lo) + ".." + std::to_string(hi) + ")");
    out = x;
    return Status::ok();
}

Status boolean(const Json &v, const std::string &where, bool &out)
{
    if (v.is_boolean()) {
        out = v.get<bool>();
        return Status::ok();
    }
    if (v.is_number_integer() && (v.get<long long>() == 0 || v.get<long long>() == 1)) {
        out = v.get<long long>() == 1;
        return Status::ok();
    }
    return fieldError(where, "true or false is expected");
}

Status fieldFromJson(const FieldDesc &f, const Json &v, unsigned char *p, const std::string &where)
{
    long long x = 0;
    switch (f.type) {
    case FieldType::Str: {
        if (!v.is_string())
            return fieldError(where, "a string is expected");
        auto bytes = utf8ToSjis(v.get<std::string>());
        if (!bytes)
            return fieldError(where, "the text holds a character Shift-JIS cannot represent");
        if (bytes->size() > f.count)
            return fieldError(where, "the text is " + std::to_string(bytes->size()) +
                                         " bytes in Shift-JIS; the field holds at most " +
                                         std::to_string(f.count));
        p[0] = static_cast<unsigned char>(bytes->size());
        std::memset(p + 1, 0, f.count);
        std::memcpy(p + 1, bytes->data(), bytes->size());
        return Status::ok();
    }
    case FieldType::Int32:
        if (Status s = integerIn(v, where, INT32_MIN, INT32_MAX, x); !s)
            return s;
        store<std::int32_t>(p, static_cast<std::int32_t>(x));
        return Status::ok();
    case FieldType::Word:
        if (Status s = integerIn(v, where, 0, 65535, x); !s)
            return s;
        store<std::uint16_t>(p, static_cast<std::uint16_t>(x));
        return Status::ok();
    case FieldType::Int64:
        if (Status s = integerIn(v, where, INT64_MIN, INT64_MAX, x); !s)
            return s;
        store<std::int64_t>(p, static_cast<std::int64_t>(x));
        return Status::ok();
    case FieldType::Double: {
        if (!v.is_number())
            return fieldError(where, "a number is expected");
        double d = v.get<double>();
        if (!std::isfinite(d))
            return fieldError(where, "a finite number is expected");
        store<double>(p, d);
        return Status::ok();
    }
    case FieldType::Bool: {
        bool b = false;
        if (Status s = boolean(v, where, b); !s)
            return s;
        p[0] = b ? 1 : 0;
        return Status::ok();
    }
    case FieldType::Int32Array:
    case FieldType::ByteArray:
    case FieldType::BoolArray: {
        if (!v.is_array())
            return fieldError(where, "an array is expected");
        if (v.size() > f.count)
            return fieldError(where, "at most " + std::to_string(f.count) + " elements");
        for (std::size_t i = 0; i < v.size(); ++i) {
            std::string w = where + "[" + std::to_string(i) + "]";
            if (f.type == FieldType::BoolArray) {
                bool b = false;
                if (Status s = boolean(v[i], w, b); !s)
                    return s;
                p[i] = b ? 1 : 0;
            } else if (f.type == FieldType::ByteArray) {
                if (Status s = integerIn(v[i], w, 0, 255, x); !s)
                    return s;
                p[i] = static_cast<unsigned char>(x);
            } else {
                if (Status s = integerIn(v[i], w, INT32_MIN, INT32_MAX, x); !s)
                    return s;
                store<std::int32_t>(p + 4 * i, static_cast<std::int32_t>(x));
            }
        }
        return Status::ok();
    }
    }
    return Status::ok();
}

// Applies the given keys of object `o` to the record; `extra` names keys allowed besides fields.
Status recordFromJson(const Json &o, void *rec, std::span<const FieldDesc> fields,
                      const std::string &where, const char *extra = nullptr)
{
    if (!o.is_object())
        return fieldError(where, "an object is expected");
    auto *base = static_cast<unsigned char *>(rec);
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (extra && it.key() == extra)
            continue;
        const FieldDesc *f = nullptr;
        for (const FieldDesc &d : fields)
            if (it.key() == d.name)
                f = &d;
        if (!f)
            return fieldError(where + "." + it.key(), "unknown field");
        if (Status s = fieldFromJson(*f, it.value(), base + f->offset, where + "." + it.key()); !s)
            return s;
    }
    return Status::ok();
}

template <typename T, std::size_t N>
OJson slotsToJson(const std::array<T, N> &arr, const PayImage &img,
                  std::span<const FieldDesc> fields, bool onlyInUse)
{
    OJson a = OJson::array();
    for (int i = 1; i <= kSlots; ++i) {
        if (!SlotInUse(img, i) && (onlyInUse || isZero(arr[i])))
            continue;
        OJson o = OJson::object();
        o["slot"] = i;
        OJson fieldsOfSlot = recordToJson(&arr[i], fields);
        for (auto &[k, v] : fieldsOfSlot.items())
            o[k] = v;
        a.push_back(o);
    }
    return a;
}

template <typename T, std::size_t N>
Status slotsFromJson(const Json &j, const char *name, std::array<T, N> &arr,
                     std::span<const FieldDesc> fields)
{
    if (!j.contains(name))
        return Status::ok();
    const Json &a = j[name];
    if (!a.is_array())
        return fieldError(name, "an array of employee entries is expected");
    std::set<long long> seen;
    for (std::size_t n = 0; n < a.size(); ++n) {
        std::string where = std::string(name) + "[" + std::to_string(n) + "]";
        if (!a[n].is_object() || !a[n].contains("slot"))
            return fieldError(where, "an object with \"slot\" is expected");
        long long slot = 0;
        if (Status s = integerIn(a[n]["slot"], where + ".slot", 1, kSlots, slot); !s)
            return s;
        if (!seen.insert(slot).second)
            return fieldError(where + ".slot", "slot " + std::to_string(slot) + " appears twice");
        if (Status s = recordFromJson(a[n], &arr[slot], fields, where, "slot"); !s)
            return s;
    }
    return Status::ok();
}

} // namespace

nlohmann::ordered_json periodToJson(const PayImage &img)
{
    OJson j = OJson::object();
    j["Head"] = recordToJson(&img.Head, headFields());
    j["Kihon"] = recordToJson(&img.Kihon, kihonFields());
    j["Syain"] = slotsToJson(img.Syain, img, syainFields(), true);
    j["Kintai"] = slotsToJson(img.Kintai, img, kintaiFields(), false);
    j["Sikyu"] = slotsToJson(img.Sikyu, img, sikyuFields(), false);
    j["Koujo"] = slotsToJson(img.Koujo, img, koujoFields(), false);
    return j;
}

Status periodFromJson(const nlohmann::json &j, PayImage &img)
{
    if (!j.is_object())
        return Status::error("the period must be a JSON object");
    // TaxExceptions is what calc reports besides the period; it is not stored.
    static const std::set<std::string> known = {"Head",  "Kihon", "Syain",        "Kintai",
                                                "Sikyu", "Koujo", "TaxExceptions"};
    for (auto it = j.begin(); it != j.end(); ++it)
        if (!known.count(it.key()))
            return fieldError(it.key(), "unknown field");

    auto work = std::make_unique<PayImage>();
    work->Head = img.Head;
    work->KikanNo = img.KikanNo;
    if (j.contains("Head"))
        if (Status s = recordFromJson(j["Head"], &work->Head, headFields(), "Head"); !s)
            return s;
    if (j.contains("Kihon"))
        if (Status s = recordFromJson(j["Kihon"], &work->Kihon, kihonFields(), "Kihon"); !s)
            return s;
    if (Status s = slotsFromJson(j, "Syain", work->Syain, syainFields()); !s)
        return s;
    if (Status s = slotsFromJson(j, "Kintai", work->Kintai, kintaiFields()); !s)
        return s;
    if (Status s = slotsFromJson(j, "Sikyu", work->Sikyu, sikyuFields()); !s)
        return s;
    if (Status s = slotsFromJson(j, "Koujo", work->Koujo, koujoFields()); !s)
        return s;
    img = *work;
    return Status::ok();
}

} // namespace orv::cli
