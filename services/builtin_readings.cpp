#include "services/builtin_readings.h"

#include <new>

namespace lexidrop {

EngineReverseConversion* BuiltInReadings::Conversion()
{
    if (!tried_) {
        tried_ = true;
        try {
            dictionary_ = Dictionary::Open(MapFile(path_));
            if (dictionary_) {
                engine_ = std::make_unique<ReadingEngine>(*dictionary_);
                conversion_ = std::make_unique<EngineReverseConversion>(*engine_);
            }
        } catch (const std::bad_alloc&) {
            conversion_.reset();
        }
    }
    return conversion_.get();
}

ReadingEngine* BuiltInReadings::Engine()
{
    return Conversion() ? engine_.get() : nullptr;
}

const Dictionary* BuiltInReadings::DictionaryInUse()
{
    return Conversion() ? dictionary_.get() : nullptr;
}

}  // namespace lexidrop
