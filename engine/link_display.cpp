#include "engine/link_display.h"

namespace tarvelle {

void LinkDisplay::ShowThinking(const InfoReport& report, const ThinkingContext& context) {
    const ThinkingInfo texts = ThinkingTexts(report, context);
    if (texts.progressText) display_.ShowStatusText(1, *texts.progressText);
    if (texts.summaryText) display_.ShowThinkingText(*texts.summaryText);
}

}  // namespace tarvelle
