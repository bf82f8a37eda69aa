#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

namespace plenfox::util {

// A list of values kept in priority order: lower priorities first, equal
// priorities in insertion order. Adding and sorting hold the list's lock; a
// walk over a snapshot of the values runs without it.
template <typename T> class PriorityList {
public:
    struct Pair {
        int priority;
        T value;
    };

    void add(int priority, T value) {
        std::lock_guard lock(mutex);
        queue.push_back(Pair{priority, std::move(value)});
        sorted = false;
    }

    // The values in priority order (sorting first when needed).
    std::vector<T> values() {
        std::lock_guard lock(mutex);
        sortLocked();
        std::vector<T> result;
        result.reserve(queue.size());
        for (const Pair& pair : queue)
            result.push_back(pair.value);
        return result;
    }

    // Removes every pair whose value equals the given one.
    void remove(const T& value) {
        std::lock_guard lock(mutex);
        std::erase_if(queue, [&](const Pair& pair) { return pair.value == value; });
    }

    void sort() {
        std::lock_guard lock(mutex);
        sortLocked();
    }

    // "pri[" + priority + "]: " + text + "; " for every pair in order.
    QString toPriorityString(const std::function<QString(const T&)>& textOf) {
        std::lock_guard lock(mutex);
        sortLocked();
        QString text;
        for (const Pair& pair : queue)
            text += QStringLiteral("pri[") + QString::number(pair.priority) +
                    QStringLiteral("]: ") + textOf(pair.value) + QStringLiteral("; ");
        return text;
    }

    std::size_t size() {
        std::lock_guard lock(mutex);
        return queue.size();
    }

private:
    void sortLocked() {
        if (sorted)
            return;
        std::stable_sort(queue.begin(), queue.end(),
                         [](const Pair& a, const Pair& b) { return a.priority < b.priority; });
        sorted = true;
    }

    std::mutex mutex;
    std::vector<Pair> queue;
    bool sorted = true;
};

} // namespace plenfox::util
