select max(msl_id) as 'last' from msl_ where JournalMsl_id=:id

