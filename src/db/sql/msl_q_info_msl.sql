select * from msl_info where JournalMsl_id=:id
