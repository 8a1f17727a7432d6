#include "engine/engine_state.h"

namespace tarvelle {

std::string EngineStatusText(EngineState state) {
    switch (state) {
        case EngineState::Unloaded:
            return "未载引擎";
        case EngineState::Ready:
            return "引擎待命";
        case EngineState::Resting:
            return "引擎休息";
        case EngineState::PonderDone:
            return "思考结束";
        case EngineState::Stopping:
            return "停止思考";
        case EngineState::Thinking:
            return "正常思考";
        case EngineState::Pondering:
            break;
    }
    return "后台思考";
}

}  // namespace tarvelle
