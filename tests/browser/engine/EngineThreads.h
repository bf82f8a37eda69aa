#pragma once

// The engine's worker threads, seen from outside: whether any of this
// process's threads named "engine-…" still runs. A thread the engine left to
// end on its own (stopped from inside its own work) counts until it ended.
namespace EngineThreads {

bool anyRunning();

} // namespace EngineThreads
