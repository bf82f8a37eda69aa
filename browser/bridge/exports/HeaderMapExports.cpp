#include "browser/bridge/ExportSupport.h"

#include "cef_string.h"

#include <iterator>
#include <memory>

using namespace viewlink;

namespace {

using HeaderMap = CefStringMultimap;

HeaderMap* mapOf(JNIEnv* env, jobject self) {
    return ownedBy<HeaderMap>(env, self, Kinds::HeaderMap);
}

// The entry at index: a negative index reads the first entry, one at or past
// the end reads none.
HeaderMap::const_iterator entryAt(const HeaderMap& map, jint index) {
    if (index < 0)
        return map.begin();
    if (static_cast<std::size_t>(index) >= map.size())
        return map.end();
    return std::next(map.begin(), index);
}

template <class T, class Question> T ask(JNIEnv* env, jobject self, T fallback, Question question) {
    return guarded(fallback, [&]() -> T {
        HeaderMap* map = mapOf(env, self);
        return map ? question(*map) : fallback;
    });
}

} // namespace

VIEWLINK_EXPORT(jint, NativeCefHeaderMap, getNumberOfKeys)(JNIEnv* env, jobject self) {
    return ask(env, self, jint{-1}, [](HeaderMap& m) { return static_cast<jint>(m.size()); });
}

VIEWLINK_EXPORT(jstring, NativeCefHeaderMap, getKey)(JNIEnv* env, jobject self, jint index) {
    return ask(env, self, jstring{nullptr}, [=](HeaderMap& m) -> jstring {
        auto entry = entryAt(m, index);
        return entry == m.end() ? nullptr : JavaStrings::toClient(env, entry->first);
    });
}

VIEWLINK_EXPORT(jstring, NativeCefHeaderMap, getValue__I)(JNIEnv* env, jobject self, jint index) {
    return ask(env, self, jstring{nullptr}, [=](HeaderMap& m) -> jstring {
        auto entry = entryAt(m, index);
        return entry == m.end() ? nullptr : JavaStrings::toClient(env, entry->second);
    });
}

VIEWLINK_EXPORT(jboolean, NativeCefHeaderMap, containsKey)
(JNIEnv* env, jobject self, jstring name) {
    return ask(env, self, JNI_FALSE, [&](HeaderMap& m) {
        CefString key;
        return toJava(JavaStrings::toEngine(env, name, key) && m.count(key) > 0);
    });
}

VIEWLINK_EXPORT(jstring, NativeCefHeaderMap, getValue__Ljava_lang_String_2)
(JNIEnv* env, jobject self, jstring name) {
    return ask(env, self, jstring{nullptr}, [&](HeaderMap& m) -> jstring {
        CefString key;
        if (!JavaStrings::toEngine(env, name, key))
            return nullptr;
        // Equal names keep their insertion order: the first added comes first.
        auto entry = m.lower_bound(key);
        return entry == m.end() || !(entry->first == key)
                   ? nullptr
                   : JavaStrings::toClient(env, entry->second);
    });
}

VIEWLINK_EXPORT(void, NativeCefHeaderMap, remove)(JNIEnv* env, jobject self, jint index) {
    guarded([&] {
        HeaderMap* map = mapOf(env, self);
        if (map && index >= 0 && static_cast<std::size_t>(index) < map->size())
            map->erase(std::next(map->begin(), index));
    });
}

VIEWLINK_EXPORT(void, NativeCefHeaderMap, add)
(JNIEnv* env, jobject self, jstring name, jstring value) {
    guarded([&] {
        HeaderMap* map = mapOf(env, self);
        CefString key;
        CefString text;
        if (map && JavaStrings::toEngine(env, name, key) && JavaStrings::toEngine(env, value, text))
            map->emplace(key, text);
    });
}

VIEWLINK_EXPORT(jobject, NativeCefHeaderMap, copy)(JNIEnv* env, jobject self) {
    HeaderMap* map = mapOf(env, self);
    if (!map)
        return nullptr;
    return ClientObjects::wrapOwned(env, Kinds::HeaderMap.className, Kinds::HeaderMap.handleField,
                                    std::make_unique<HeaderMap>(*map));
}

VIEWLINK_EXPORT(void, NativeCefHeaderMap, dispose)(JNIEnv* env, jobject self) {
    disposeOwned<HeaderMap>(env, self, Kinds::HeaderMap);
}
