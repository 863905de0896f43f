#pragma once
// The flat look of each styled kind of control, painted on its window canvas.
namespace veilix {

class TCanvas;
class TControlSubClass;

// Paints a styled control on its window canvas, in the painter's palette.
void PaintStyledControl(TControlSubClass& record, TCanvas& canvas);

}  // namespace veilix
