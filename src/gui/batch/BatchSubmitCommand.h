#pragma once

// "一括自動出品(&U)...": the seller offered to continue an unfinished batch or collects files
// for a new one, confirms the common settings once, and watches the batch run; each file in
// turn becomes the open listing and is submitted.
namespace nuvo {

class CNuvoApp;

void RunBatchSubmit(CNuvoApp& app);

}  // namespace nuvo
