#include "platform/WineHeaderSearch.h"

#include "platform/WineText.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plenfox::platform {

namespace {

#if defined(__SSE2__)
__m128i load(const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
#endif

} // namespace

WineHeaderSearch::WineHeaderSearch(std::vector<QByteArray> lowered) : needles(std::move(lowered)) {}

std::vector<qsizetype> WineHeaderSearch::firstPlacesIn(QByteArrayView text) const {
    std::vector<qsizetype> places(needles.size(), -1);
    qsizetype missing = qsizetype(needles.size());
    qsizetype longest = 0;
    std::vector<qsizetype> lasts;
    for (const QByteArray& needle : needles) {
        longest = std::max(longest, needle.size());
        lasts.push_back(needle.size() - 1);
    }
    const char* data = text.data();
    const qsizetype size = text.size();
    qsizetype pos = 0;
#if defined(__SSE2__)
    const __m128i lineEnds = _mm_set1_epi8('\n');
    const __m128i closings = _mm_set1_epi8(']');
    // Sixty-four places a round: the reads of several blocks overlap while
    // memory delivers them. No branch on the line ends alone: they come too
    // irregularly for the processor to guess.
    constexpr qsizetype Round = 64;
    for (; missing > 0 && pos + longest - 1 + Round <= size; pos += Round) {
        __m128i candidates = _mm_setzero_si128();
        for (qsizetype block = pos; block < pos + Round; block += 16) {
            const __m128i starts = _mm_cmpeq_epi8(load(data + block), lineEnds);
            for (const qsizetype last : lasts)
                candidates = _mm_or_si128(
                    candidates,
                    _mm_and_si128(starts, _mm_cmpeq_epi8(load(data + block + last), closings)));
        }
        if (_mm_movemask_epi8(candidates))
            missing = testPlaces(text, pos, pos + Round, places);
    }
#endif
    if (missing > 0)
        testPlaces(text, pos, size, places);
    return places;
}

qsizetype WineHeaderSearch::testPlaces(QByteArrayView text, qsizetype from, qsizetype to,
                                       std::vector<qsizetype>& places) const {
    const char* data = text.data();
    qsizetype missing = 0;
    for (size_t k = 0; k < needles.size(); ++k) {
        const qsizetype n = needles[k].size();
        for (qsizetype pos = from; places[k] < 0 && pos < to && pos + n <= text.size(); ++pos)
            if (data[pos] == '\n' && data[pos + n - 1] == ']' && matchesAt(needles[k], data + pos))
                places[k] = pos;
        missing += places[k] < 0;
    }
    return missing;
}

bool WineHeaderSearch::matchesAt(const QByteArray& needle, const char* place) {
    // The first and last bytes are tested already.
    for (qsizetype i = 1; i + 1 < needle.size(); ++i)
        if (WineText::asciiLower(place[i]) != needle[i])
            return false;
    return true;
}

} // namespace plenfox::platform
