#include "mirelka/selection_limit.h"

const char kSelectionTooLargeText[] =
    "100KB 이상의 데이터를 선택했습니다. 다음 방안으로 작업하십시오.\n\n"
    "(방안1) 100KB (한글5만자,영문10만자) 이하로 나누어서 암호화\n\n"
    "(방안2) 파일로 저장 후, 파일 자체를 암호화\n"
    "           → 탐색기 마우스 우측 버튼으로 선택 후 <Trisel> 실행";
